// The on-page record of what was posted to the shell and what it answered,
// newest first, so staff (and tests) can see the conversation.

const MAX_ENTRIES = 60;

function clock(date) {
  return [date.getHours(), date.getMinutes(), date.getSeconds()].map((n) => String(n).padStart(2, '0')).join(':');
}

export class ActivityLog {
  constructor(list) {
    this.list = list;
  }

  // direction: 'out' (posted to the shell), 'in' (the shell's answer) or
  // 'note' (the page itself); tone: '' or 'warn'.
  add(direction, text, tone = '') {
    const item = document.createElement('li');
    item.dataset.direction = direction;
    if (tone) item.dataset.tone = tone;
    const time = document.createElement('time');
    time.textContent = clock(new Date());
    const body = document.createElement('span');
    body.textContent = text;
    item.append(time, body);
    this.list.prepend(item);
    while (this.list.children.length > MAX_ENTRIES) this.list.lastElementChild.remove();
  }
}
