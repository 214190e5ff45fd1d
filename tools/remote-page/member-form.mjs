// The demo member both page drivers fill in: the form's fields set as a person
// typing would (an input event each), the sex chosen by its radio button.
export const FILL_MEMBER_FORM = `(() => {
  const form = document.querySelector('#member-form');
  const set = (name, value) => {
    const field = form.elements.namedItem(name);
    field.value = value;
    field.dispatchEvent(new Event('input', { bubbles: true }));
  };
  set('name', '홍길동'); set('memberId', 'A01'); set('birthDate', '1985-03-14');
  form.querySelector('input[name="sex"][value="M"]').click();
  set('heightCm', '172.5'); set('weightKg', '68.2'); set('note', '허리 통증, 오른쪽 어깨 처짐');
})()`;
