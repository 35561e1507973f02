// The page's half of the calculator: the four views, the window model the
// core's Solve and Clear work on (its operations are called by the module,
// web/module/page_library.js), the message box, and the one route by which
// text comes into a box. What the calculators compute, write and report is
// the module's; the markup and layout come from the windows' tables.

import createModule from './quantelo.js';

const views = [...document.querySelectorAll('main > section.window')];
const calculator = (view) => document.querySelector(`section.window[data-view="${view}"]`);
const control = (view, name) => calculator(view).querySelector(`[data-control="${name}"]`);
const viewOf = (element) => Number(element.closest('section.window').dataset.view);

// --- Announcements -------------------------------------------------------
// The page's one live region: what Solve did, as the core words it when
// Solve ends (the model's announce()), is read out once.
const announcer = document.getElementById('announcer');
function announce(text) {
    announcer.textContent = text;
}

// --- The message box -----------------------------------------------------
// Modal: while it is open nothing behind it takes a key or a click, and the
// command that opened it waits. It gives the focus back where it was, then
// lets the command go on.
const box = document.getElementById('message-box');
const main = document.querySelector('main');
const boxText = document.getElementById('message-box-text');
let boxView = null;
let boxReturn = null;
function messageBox(view, text) {
    boxView = view;
    boxReturn = document.activeElement;
    boxText.textContent = text;
    // Inert behind the box, access keys included (browsers let an access
    // key reach a button behind a modal dialog).
    main.inert = true;
    box.showModal();
}
// A click beside the box (its backdrop) leaves the focus on OK, as a
// desktop's modal box keeps it.
box.addEventListener('click', (event) => {
    if (event.target === box) document.getElementById('message-box-ok').focus();
});
box.addEventListener('close', () => {
    const view = boxView;
    boxView = null;
    main.inert = false;
    if (boxReturn && boxReturn.isConnected) boxReturn.focus();
    boxReturn = null;
    if (view !== null) ready.then((module) => module._quantelo_dismissed(view));
});

// --- The window model ----------------------------------------------------
const page = {
    text: (view, name) => control(view, name).value,
    setText(view, name, text) {
        const input = control(view, name);
        input.value = text;
        remembered.set(input, text);
    },
    setCaption(view, name, text) {
        const label = control(view, name);
        label.textContent = text;
        // Named by its caption; while it has none, by the table's name.
        label.setAttribute('aria-label', text || label.dataset.name);
    },
    setBoxColour(view, name, back, fore) {
        const input = control(view, name);
        input.style.background = back;
        input.style.color = fore;
    },
    setLabelColour(view, name, back) {
        control(view, name).style.background = back;
    },
    focusClear: (view) => control(view, 'cmdClear').focus(),
    messageBox,
    announce,
};
const ready = createModule({ page });
// The module once it has loaded: the box rule is called from input events,
// which cannot wait for it.
let loaded = null;
ready.then((module) => { loaded = module; });

// --- Views and addresses -------------------------------------------------
// The address's fragment names the view; Back and bookmarks follow it.
// Only the view shown has access keys: browsers give a key that several
// elements carry to one of them, hidden or not.
for (const element of document.querySelectorAll('main [accesskey]')) {
    element.dataset.accesskey = element.accessKey;
}
function show() {
    const address = decodeURIComponent(location.hash.slice(1));
    const shown = views.find((view) => view.dataset.address === address) || views[0];
    for (const view of views) {
        view.hidden = view !== shown;
        for (const element of view.querySelectorAll('[data-accesskey]')) {
            if (view.hidden) element.removeAttribute('accesskey');
            else element.accessKey = element.dataset.accesskey;
        }
    }
    document.title = shown.querySelector('.titlebar').textContent;
    // The focus goes where the window's tab order starts.
    const first = [...shown.querySelectorAll('[tabindex]')]
        .sort((a, b) => a.tabIndex - b.tabIndex)[0];
    if (first) first.focus();
}
window.addEventListener('hashchange', show);
show();

// --- Commands ------------------------------------------------------------
const commands = {
    cmdSolve: (view) => ready.then((module) => module._quantelo_solve(view)),
    cmdClear: (view) => ready.then((module) => module._quantelo_clear(view)),
    cmdBackMainPage: () => {
        history.pushState(null, '', location.pathname + location.search);
        show();
    },
};
document.addEventListener('click', (event) => {
    const button = event.target.closest('button[data-control]');
    if (!button || box.open) return;
    if (button.dataset.opens) location.hash = button.dataset.opens;
    const command = commands[button.dataset.control];
    if (command) command(viewOf(button));
});

// --- Text coming into a box ----------------------------------------------
// Every way text comes in ends in admit(): typing, paste, drop, autofill,
// an on-screen keyboard's composition. It returns what of `inserted` the box
// takes in place of text[start, end), as the core's box rule decides it
// (input/box_text_c.h): characters that are not seen are dropped, those
// that look like part of a number go in as their ASCII form, and no more
// characters (code points) than the box's typing limit, never splitting a
// grapheme cluster. The rule's Unicode facts are the browser's own.
const graphemes = new Intl.Segmenter(undefined, { granularity: 'grapheme' });
const categories = [/\p{Cc}/u, /\p{Cf}/u, /\p{Cn}/u, /\p{Cs}/u, /\p{Zs}/u, /\p{Nd}/u];
const ignorable = /\p{Default_Ignorable_Code_Point}/u;
const digit = /\p{Nd}/u;
const codePoints = (text) => Array.from(text, (c) => c.codePointAt(0));

// The facts byte of one code point (category, default-ignorable, digit value).
function facts(c) {
    const character = String.fromCodePoint(c);
    const category = categories.findIndex((pattern) => pattern.test(character)) + 1;
    let value = 0;
    if (category === 6) {
        // Decimal digits come in runs of ten from zero.
        let first = c;
        while (first > 0 && digit.test(String.fromCodePoint(first - 1))) --first;
        value = (c - first) % 10;
    }
    return category | (ignorable.test(character) ? 8 : 0) | (value << 4);
}

function admit(module, input, text, start, end, inserted) {
    const points = codePoints(inserted);
    const count = points.length;
    if (count === 0) return '';
    const kept = codePoints(text.slice(0, start) + text.slice(end)).length;
    const room = module._quantelo_box_room(Number(input.dataset.limit) || 0, kept);
    // Cluster starts, from UTF-16 offsets to code point places.
    const starts = new Uint8Array(count);
    let place = 0;
    let offset = 0;
    for (const { index } of graphemes.segment(inserted)) {
        while (offset < index) offset += points[place++] > 0xffff ? 2 : 1;
        starts[place] = 1;
    }
    const block = module._malloc(count * 10);
    if (!block) return '';
    try {
        module.HEAPU32.set(points, block >> 2);
        module.HEAPU8.set(points.map(facts), block + count * 8);
        module.HEAPU8.set(starts, block + count * 9);
        const written = module._quantelo_box_text(block, block + count * 8, block + count * 9, count, room,
            block + count * 4);
        return String.fromCodePoint(...module.HEAPU32.subarray((block >> 2) + count, (block >> 2) + count + written));
    } finally {
        module._free(block);
    }
}

// The text each box had after the last change it took, to find what a
// change put in where the browser does not say.
const remembered = new WeakMap();

function replaceIn(input, start, end, text, inputType) {
    input.setRangeText(text, start, end, 'end');
    remembered.set(input, input.value);
    input.dispatchEvent(new InputEvent('input', { bubbles: true, inputType, data: text }));
}

// Typing and pasting say where and what before it happens.
document.addEventListener('beforeinput', (event) => {
    const input = event.target;
    if (!input.matches('input.box') || event.isComposing || !event.inputType.startsWith('insert')
        || event.inputType === 'insertCompositionText' || event.inputType === 'insertFromDrop') return;
    const inserted = event.data ?? event.dataTransfer?.getData('text/plain') ?? '';
    const start = input.selectionStart;
    const end = input.selectionEnd;
    if (!loaded) {
        // The rule is not there yet: the text goes in once it is.
        event.preventDefault();
        const before = input.value;
        ready.then((module) => {
            if (input.value === before)
                replaceIn(input, start, end, admit(module, input, before, start, end, inserted), event.inputType);
        });
        return;
    }
    const taken = admit(loaded, input, input.value, start, end, inserted);
    if (taken !== inserted) {
        event.preventDefault();
        replaceIn(input, start, end, taken, event.inputType);
    }
});

// Everything else (a drop, autofill, a finished composition): the change
// is found by comparing with the text before it.
function settle(input) {
    const before = remembered.get(input) ?? input.defaultValue;
    const after = input.value;
    let start = 0;
    while (start < before.length && start < after.length && before[start] === after[start]) ++start;
    let tail = 0;
    while (tail < before.length - start && tail < after.length - start
           && before[before.length - 1 - tail] === after[after.length - 1 - tail]) ++tail;
    const inserted = after.slice(start, after.length - tail);
    const apply = (module) => {
        const taken = admit(module, input, before, start, before.length - tail, inserted);
        if (taken !== inserted) {
            input.value = before.slice(0, start) + taken + before.slice(before.length - tail);
            input.setSelectionRange(start + taken.length, start + taken.length);
        }
        remembered.set(input, input.value);
    };
    if (loaded) {
        apply(loaded);
    } else {
        // The rule is not there yet: the box holds what it had until it is.
        input.value = before;
        remembered.set(input, before);
        ready.then((module) => {
            if (input.value === before) {
                input.value = after;
                apply(module);
            }
        });
    }
}
document.addEventListener('input', (event) => {
    if (event.target.matches('input.box') && !event.isComposing) settle(event.target);
});
document.addEventListener('compositionend', (event) => {
    if (event.target.matches('input.box')) settle(event.target);
});

// --- Offline -------------------------------------------------------------
if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
}
