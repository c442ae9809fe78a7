// The message box of both tabs: a modal dialog with a title, a prompt and one
// OK button. Enter, Escape and OK close it; the focus then goes back to the
// control that had it, as after a message box on the desktop. What it says
// comes from the core, with the problem it reports.

const dialog = document.getElementById('message');
const titleText = document.getElementById('message-title');
const promptText = document.getElementById('message-prompt');
let returnFocusTo = null;

dialog.addEventListener('close', () => {
    const target = returnFocusTo;
    returnFocusTo = null;
    if (target && target.isConnected) {
        target.focus();
    }
});

export function showMessage(prompt, title) {
    if (dialog.open) {
        dialog.close();
    }
    returnFocusTo = document.activeElement;
    titleText.textContent = title;
    promptText.textContent = prompt;
    dialog.showModal();
    dialog.querySelector('button').focus();
}
