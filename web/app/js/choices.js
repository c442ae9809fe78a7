// Large one-tap choices in place of a drop-down list: a fieldset whose legend
// is the window's caption, with one radio per item of the core's list, each
// named by its item text. What the group "shows" is the item chosen, or no
// text while none is, as an untouched list box shows none.
//
// A group whose items have not come yet (the core still loads) holds the
// text chosen for it and shows that; when its items come, that item is
// chosen, as a pick of a person would be.

// Replaces the group's choices by the items, none chosen but the one the
// group held while it had none.
export function offerChoices(group, items) {
    const choices = items.map((item) => {
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = group.id;
        radio.value = item;
        const label = document.createElement('label');
        label.className = 'choice';
        label.append(radio, item);
        return label;
    });
    group.querySelector('.choice-list').replaceChildren(...choices);
    const wanted = group.dataset.wanted;
    delete group.dataset.wanted;
    if (wanted !== undefined && choose(group, wanted)) {
        group.dispatchEvent(new Event('change', { bubbles: true }));
    }
}

const offered = (group) => group.querySelector('input[type="radio"]') !== null;

export function chosen(group) {
    return group.querySelector('input:checked')?.value ?? group.dataset.wanted ?? '';
}

// Chooses the item with this text; false when the group offers none such,
// or has no items yet (it then holds the text until they come).
export function choose(group, text) {
    if (!offered(group)) {
        group.dataset.wanted = text;
        return false;
    }
    const radio = [...group.querySelectorAll('input[type="radio"]')]
        .find((candidate) => candidate.value === text);
    if (radio) {
        radio.checked = true;
    }
    return radio !== undefined;
}

// What the item with this text says on its tile, where that is not the text
// itself (a choice of the page's own, not of a core list).
export function itemCaption(group, text) {
    const radio = [...group.querySelectorAll('input[type="radio"]')]
        .find((candidate) => candidate.value === text);
    return radio ? radio.labels[0].textContent : text;
}

// Where the focus goes for the group: its chosen item, else its first.
export function focusTarget(group) {
    return group.querySelector('input:checked') ?? group.querySelector('input') ?? group;
}
