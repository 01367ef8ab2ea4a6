// The School box as a drop-down combo box: a text field the player types
// into, with an arrow that opens the list of schools under it. The list
// opens by the arrow (pointer or finger), by Alt+Down or F4, and by Down;
// Up and Down move through it, Enter or a click writes the school into the
// field, Escape closes it. The core reads only the field's text.

export function schoolBox(field) {
  const list = document.getElementById(field.getAttribute('aria-controls'));
  const arrow = field.nextElementSibling;
  const options = [...list.children];
  let active = -1;

  const mark = (index) => {
    active = index;
    options.forEach((option, i) => option.setAttribute('aria-selected', String(i === index)));
    if (index < 0) {
      field.removeAttribute('aria-activedescendant');
    } else {
      field.setAttribute('aria-activedescendant', options[index].id);
      options[index].scrollIntoView({ block: 'nearest' });
    }
  };
  const show = (open) => {
    list.hidden = !open;
    for (const control of [field, arrow])
      control.setAttribute('aria-expanded', String(open));
    if (open)
      mark(Math.max(0, options.findIndex((option) => option.textContent === field.value)));
    else
      mark(-1);
  };
  const pick = (index) => {
    field.value = options[index].textContent;
    show(false);
  };

  // The arrow and the list leave the focus where it is: on a phone, a field
  // given the focus would bring up the on-screen keyboard over the list.
  for (const control of [arrow, list])
    control.addEventListener('pointerdown', (event) => event.preventDefault());
  arrow.addEventListener('click', () => show(list.hidden));
  list.addEventListener('click', (event) => {
    const index = options.indexOf(event.target.closest('[role="option"]'));
    if (index >= 0)
      pick(index);
  });
  document.addEventListener('pointerdown', (event) => {
    if (!list.hidden && !field.parentElement.contains(event.target))
      show(false);
  });
  field.addEventListener('blur', () => show(false));
  field.addEventListener('keydown', (event) => {
    const open = !list.hidden;
    if (event.key === 'F4' || (event.altKey && (event.key === 'ArrowDown' || event.key === 'ArrowUp')))
      show(!open);
    else if (event.key === 'ArrowDown' || event.key === 'ArrowUp')
      open ? mark((active + (event.key === 'ArrowDown' ? 1 : options.length - 1)) % options.length) : show(true);
    else if (open && event.key === 'Enter')
      pick(active);
    else if (open && event.key === 'Escape')
      show(false);
    else
      return;
    event.preventDefault();
  });
}
