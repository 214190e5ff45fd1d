// The four capture slots (front, left side, right side, back): each holds its
// image and shows what the shell said about it.

import { VIEWS } from './messages.js';

const STATUS_TEXT = {
  empty: '대기',
  sending: '저장 중…',
  saved: '저장됨',
  missing: '저장 안 됨',
  unsent: '미전송 (호스트 없음)',
};

export class CaptureSlots {
  // canAsk: whether the shell can be asked about a stored image at all.
  constructor(container, { onRetake, onCheck, canAsk }) {
    this.canAsk = canAsk;
    this.slots = VIEWS.map((view) => this.render(container, view, onRetake, onCheck));
    this.refresh();
  }

  render(container, view, onRetake, onCheck) {
    const card = document.createElement('article');
    card.className = 'slot';
    card.dataset.index = String(view.index);
    card.innerHTML = `
      <div class="slot-frame">
        <img alt="" hidden>
        <span class="slot-placeholder">${view.index}</span>
      </div>
      <div class="slot-meta">
        <div class="slot-title"><strong>${view.index}. ${view.label}</strong><small>${view.english}</small></div>
        <span class="badge"></span>
      </div>
      <div class="slot-detail"></div>
      <div class="slot-actions">
        <button type="button" class="link" data-action="check" title="셸에 이 이미지가 저장되었는지 묻습니다">확인</button>
        <button type="button" class="link" data-action="retake">재촬영</button>
      </div>`;
    card.querySelector('[data-action="retake"]').addEventListener('click', () => onRetake(view));
    card.querySelector('[data-action="check"]').addEventListener('click', () => onCheck(view));
    container.appendChild(card);
    return { view, card, status: 'empty', image: '', detail: '' };
  }

  slot(index) {
    return this.slots.find((slot) => slot.view.index === index);
  }

  // The slot the next capture goes to: the first one without an image.
  next() {
    return this.slots.find((slot) => slot.image === '') || null;
  }

  allCaptured() {
    return this.slots.every((slot) => slot.image !== '');
  }

  fill(index, image, detail, status) {
    const slot = this.slot(index);
    slot.image = image;
    slot.detail = detail;
    slot.status = status;
    this.refresh();
  }

  setStatus(index, status) {
    const slot = this.slot(index);
    if (!slot || slot.image === '') return;
    slot.status = status;
    this.refresh();
  }

  clear(index) {
    this.fill(index, '', '', 'empty');
  }

  clearAll() {
    for (const slot of this.slots) Object.assign(slot, { image: '', detail: '', status: 'empty' });
    this.refresh();
  }

  refresh() {
    const target = this.next();
    for (const slot of this.slots) {
      const { card } = slot;
      const img = card.querySelector('img');
      img.hidden = slot.image === '';
      if (slot.image !== '') img.src = slot.image;
      else img.removeAttribute('src');
      card.querySelector('.slot-placeholder').hidden = slot.image !== '';
      const badge = card.querySelector('.badge');
      badge.textContent = STATUS_TEXT[slot.status];
      badge.className = `badge badge-${slot.status}`;
      card.querySelector('.slot-detail').textContent = slot.detail;
      card.classList.toggle('is-next', slot === target);
      card.querySelector('[data-action="retake"]').disabled = slot.image === '';
      card.querySelector('[data-action="check"]').disabled = slot.image === '' || !this.canAsk;
    }
  }
}
