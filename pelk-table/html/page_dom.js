// What every part of the page builds its elements with. Text goes in as
// textContent only, so that names stay text.
const PelkDom = (function () {
    "use strict";

    const byId = (id) => document.getElementById(id);

    function element(tag, text, className) {
        const made = document.createElement(tag);
        if (text !== undefined && text !== null) made.textContent = text;
        if (className) made.className = className;
        return made;
    }

    function button(text, id, title) {
        const made = element("button", text);
        made.type = "button";
        if (id) made.id = id;
        if (title) made.title = title;
        return made;
    }

    // A button that reads as a link, for an action inside a sentence.
    function linkButton(text) {
        const made = button(text);
        made.className = "link";
        return made;
    }

    return { byId: byId, element: element, button: button, linkButton: linkButton };
})();
