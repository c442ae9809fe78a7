// What the page tells a person, without a modal box:
// - a problem at the box it concerns: the core's prompt in an alert right
//   at the box, the box marked invalid and described by it, and the focus on
//   the box, so that it can be put right at once;
// - one announcement per calculation for a screen reader, naming each
//   figure, instead of every result box speaking up on its own.

import { focusTarget } from './choices.js';

function describedBy(element) {
    return (element.getAttribute('aria-describedby') ?? '').split(' ').filter(Boolean);
}

// Removes the problem shown at the box, if any.
export function clearProblem(box) {
    const alert = document.getElementById(`${box.id}-problem`);
    if (!alert) {
        return;
    }
    alert.remove();
    box.removeAttribute('aria-invalid');
    const rest = describedBy(box).filter((id) => id !== alert.id);
    if (rest.length) {
        box.setAttribute('aria-describedby', rest.join(' '));
    } else {
        box.removeAttribute('aria-describedby');
    }
}

export function clearProblems(container) {
    for (const alert of container.querySelectorAll('.problem')) {
        clearProblem(document.getElementById(alert.dataset.box));
    }
}

// box: the input, choice group or button the problem concerns.
export function showProblemAt(box, prompt) {
    clearProblem(box);
    const alert = document.createElement('p');
    alert.id = `${box.id}-problem`;
    alert.className = 'problem';
    alert.setAttribute('role', 'alert');
    alert.dataset.box = box.id;
    alert.textContent = prompt;
    // Below the box: inside a choice group, else after the box's own row.
    const row = box.matches('fieldset') ? box : box.closest('.field, .print') ?? box;
    if (row === box && !box.matches('fieldset')) {
        box.after(alert);
    } else {
        row.append(alert);
    }
    if (!box.matches('button')) {
        box.setAttribute('aria-invalid', 'true');
    }
    box.setAttribute('aria-describedby', [...describedBy(box), alert.id].join(' '));
    (box.matches('fieldset') ? focusTarget(box) : box).focus();
}

const announcer = document.getElementById('announce');
let pending = 0;

// Cleared first, so that the same text twice is still heard twice.
export function announce(text) {
    announcer.textContent = '';
    clearTimeout(pending);
    pending = setTimeout(() => {
        announcer.textContent = text;
    }, 100);
}
