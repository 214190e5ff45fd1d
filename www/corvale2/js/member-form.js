// The member form: what is typed becomes the member text stored as user.txt
// beside every capture, and the member's folder name below the capture root.

function ageOn(birthDate, today) {
  const [year, month, day] = birthDate.split('-').map(Number);
  let age = today.getFullYear() - year;
  if (today.getMonth() + 1 < month || (today.getMonth() + 1 === month && today.getDate() < day)) age -= 1;
  return age;
}

function numberOrNull(text) {
  const value = Number.parseFloat(text);
  return Number.isFinite(value) ? value : null;
}

export class MemberForm {
  constructor(form) {
    this.form = form;
  }

  field(name) {
    return this.form.elements.namedItem(name);
  }

  value(name) {
    const field = this.field(name);
    if (!field) return '';
    return String(field.value ?? '').trim();
  }

  // The member as it will be stored, or a reason why it cannot be yet.
  read(today = new Date()) {
    const name = this.value('name');
    if (name === '') return { problem: '회원 이름을 입력하세요.', focus: 'name' };
    const birthDate = this.value('birthDate');
    if (birthDate !== '' && !/^\d{4}-\d{2}-\d{2}$/.test(birthDate)) {
      return { problem: '생년월일을 확인하세요.', focus: 'birthDate' };
    }
    const sex = this.value('sex');
    if (sex === '') return { problem: '성별을 선택하세요.', focus: 'sex' };
    const member = {
      name,
      memberId: this.value('memberId'),
      birthDate,
      age: birthDate ? ageOn(birthDate, today) : null,
      sex,
      heightCm: numberOrNull(this.value('heightCm')),
      weightKg: numberOrNull(this.value('weightKg')),
      note: this.value('note'),
    };
    return { member };
  }

  // The member's folder: the member number when there is one, else the name.
  static folderKey(member) {
    return member.memberId || member.name;
  }

  static infoText(member) {
    return JSON.stringify(member);
  }

  focus(name) {
    const field = this.field(name);
    const target = field && typeof field.focus !== 'function' && field.length ? field[0] : field;
    if (target && typeof target.focus === 'function') target.focus();
  }

  setLocked(locked) {
    for (const element of this.form.elements) {
      if (element.dataset.keepEnabled === undefined) element.disabled = locked;
    }
  }

  reset() {
    this.form.reset();
    this.setLocked(false);
  }
}
