// What the page does for the module (page_module.cpp): each call goes to
// the page's window model, handed to the module as Module['page'] when it
// is made (web/page/app.js).
mergeInto(LibraryManager.library, {
    quantelo_page_text: function (view, box) {
        const text = Module['page']['text'](view, UTF8ToString(box));
        const size = lengthBytesUTF8(text) + 1;
        const pointer = _malloc(size);
        if (pointer) stringToUTF8(text, pointer, size);
        return pointer;
    },
    quantelo_page_set_text: function (view, box, text, length) {
        Module['page']['setText'](view, UTF8ToString(box), UTF8ToString(text, length));
    },
    quantelo_page_set_caption: function (view, label, text, length) {
        Module['page']['setCaption'](view, UTF8ToString(label), UTF8ToString(text, length));
    },
    quantelo_page_set_box_colour: function (view, box, back, fore) {
        Module['page']['setBoxColour'](view, UTF8ToString(box), UTF8ToString(back), UTF8ToString(fore));
    },
    quantelo_page_set_label_colour: function (view, label, back) {
        Module['page']['setLabelColour'](view, UTF8ToString(label), UTF8ToString(back));
    },
    quantelo_page_focus_clear: function (view) {
        Module['page']['focusClear'](view);
    },
    quantelo_page_message_box: function (view, text, length) {
        Module['page']['messageBox'](view, UTF8ToString(text, length));
    },
    quantelo_page_announce: function (text, length) {
        Module['page']['announce'](UTF8ToString(text, length));
    },
});
