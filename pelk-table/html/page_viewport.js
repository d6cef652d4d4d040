// The diagram's view, which the wheel, a pinch, a drag, the buttons and the
// keys zoom and pan. The view is the SVG's viewBox, so Graphviz's drawing
// stays sharp at every scale: at 100 % a unit of Graphviz (a point) is 4/3
// CSS pixels, as the SVG would be drawn on its own.
const PelkViewport = (function () {
    "use strict";
    const { byId } = PelkDom;
    // The scale of 100 %, in CSS pixels a point.
    const FULL = 4 / 3;

    // Makes box, which holds svg, a viewport of it. Until ready() it has no
    // size; then the view follows what it is asked to keep in view.
    function attach(box, svg) {
        const drawing = svg.viewBox.baseVal;
        const width = drawing.width || svg.getBBox().width;
        const height = drawing.height || svg.getBBox().height;
        const drawingLeft = drawing.x;
        const drawingTop = drawing.y;
        svg.removeAttribute("width");
        svg.removeAttribute("height");
        svg.setAttribute("preserveAspectRatio", "xMinYMin meet");
        byId("diagram-tools").hidden = false;
        box.classList.add("viewport");
        box.tabIndex = 0;
        box.setAttribute("role", "group");
        box.setAttribute("aria-label", "Diagram: + and - zoom, arrow keys pan, f fits, 0 shows 100 %");

        // The diagram takes the whole width when it does not fit beside the
        // simulator at 100 %.
        if (width * FULL > byId("diagram-section").clientWidth) document.querySelector(".top").classList.add("wide");
        const maxHeight = () =>
            Math.max(240, Math.round(Math.min(window.innerHeight * 0.75, window.innerHeight - 160)));
        // What is in view: the drawing's point at the box's top left corner,
        // in the drawing's units, and the scale; the box's size in CSS pixels.
        let view = { left: drawingLeft, top: drawingTop, scale: FULL };
        let size = { width: 0, height: 0 };
        function measure() {
            const boxWidth = box.clientWidth;
            // As high as the drawing is at its first scale, within the window.
            let scale = Math.min(FULL, boxWidth / width);
            if (scale < FULL * 0.75) scale = FULL;
            const boxHeight = Math.min(maxHeight(), Math.ceil(height * scale) + 2);
            box.style.height = boxHeight + "px";
            size = { width: boxWidth, height: boxHeight };
        }
        const fitScale = () => Math.min(size.width / width, size.height / height);
        const limits = () => [Math.min(fitScale(), FULL) / 2, FULL * 8];
        function show(next) {
            const [low, high] = limits();
            const scale = Math.min(high, Math.max(low, next.scale));
            const viewWidth = size.width / scale;
            const viewHeight = size.height / scale;
            // Keep some of the drawing in view whichever way it is pushed.
            const viewLeft = Math.min(drawingLeft + width - viewWidth * 0.2,
                Math.max(drawingLeft - viewWidth * 0.8, next.left));
            const viewTop = Math.min(drawingTop + height - viewHeight * 0.2,
                Math.max(drawingTop - viewHeight * 0.8, next.top));
            view = { left: viewLeft, top: viewTop, scale: scale };
            svg.setAttribute("viewBox",
                [viewLeft, viewTop, viewWidth, viewHeight].map((value) => value.toFixed(2)).join(" "));
            byId("zoom-level").textContent = "zoom " + Math.round(scale / FULL * 100) + " %";
        }
        // Zooms by factor keeping the point (boxX, boxY) of the box where it is.
        function zoomAt(factor, boxX, boxY) {
            const [low, high] = limits();
            const scale = Math.min(high, Math.max(low, view.scale * factor));
            show({ left: view.left + boxX / view.scale - boxX / scale,
                top: view.top + boxY / view.scale - boxY / scale, scale: scale });
        }
        const zoomAtMiddle = (factor) => zoomAt(factor, size.width / 2, size.height / 2);
        // The whole drawing, centred, at scale.
        const centred = (scale) => show({ left: drawingLeft - (size.width / scale - width) / 2,
            top: drawingTop - (size.height / scale - height) / 2, scale: scale });
        const fit = () => centred(Math.min(fitScale(), FULL * 2));
        // The drawing's point at the middle of the box.
        const middle = () => [view.left + size.width / view.scale / 2, view.top + size.height / view.scale / 2];
        // 100 %, about the middle of what is in view.
        function full() {
            const [middleX, middleY] = middle();
            show({ left: middleX - size.width / FULL / 2, top: middleY - size.height / FULL / 2, scale: FULL });
        }
        // Moves the drawing by (panX, panY) CSS pixels.
        const panBy = (panX, panY) =>
            show({ left: view.left - panX / view.scale, top: view.top - panY / view.scale, scale: view.scale });

        // Keeps an element in view, with a margin, by the shortest pan. There
        // is no margin on a side where the drawing ends inside the box:
        // nothing of it lies beyond, and a pan would only push some of it out.
        const graph = svg.querySelector("g.graph") || svg;
        function keepInView(target) {
            if (!target) return;
            const wanted = target.getBoundingClientRect();
            // The part of the box in the window, unless too little of it is.
            const whole = box.getBoundingClientRect();
            const shownTop = Math.max(whole.top, 0);
            const shownBottom = Math.min(whole.bottom, window.innerHeight);
            const area = shownBottom - shownTop >= 160 ? { left: whole.left, right: whole.right, width: whole.width,
                top: shownTop, bottom: shownBottom, height: shownBottom - shownTop } : whole;
            const margin = Math.min(40, area.width / 8, area.height / 8);
            const drawn = graph.getBoundingClientRect();
            const left = area.left + (drawn.left >= area.left ? 0 : margin);
            const right = area.right - (drawn.right <= area.right ? 0 : margin);
            const top = area.top + (drawn.top >= area.top ? 0 : margin);
            const bottom = area.bottom - (drawn.bottom <= area.bottom ? 0 : margin);
            let panX = 0;
            let panY = 0;
            if (wanted.width > right - left || wanted.left < left) {
                panX = left - wanted.left;
            } else if (wanted.right > right) {
                panX = right - wanted.right;
            }
            if (wanted.height > bottom - top || wanted.top < top) {
                panY = top - wanted.top;
            } else if (wanted.bottom > bottom) {
                panY = bottom - wanted.bottom;
            }
            if (panX || panY) {
                // Centre it rather than leave it at the edge.
                const centreX = area.left + area.width / 2 - (wanted.left + wanted.width / 2);
                const centreY = area.top + area.height / 2 - (wanted.top + wanted.height / 2);
                panBy(panX ? centreX : 0, panY ? centreY : 0);
            }
        }

        // Shows every one of elements, centred, at 100 % at most.
        function showAll(elements) {
            const boxRect = box.getBoundingClientRect();
            let [minX, minY, maxX, maxY] = [Infinity, Infinity, -Infinity, -Infinity];
            for (const shown of elements) {
                if (!shown) continue;
                const rect = shown.getBoundingClientRect();
                [minX, minY] = [Math.min(minX, rect.left), Math.min(minY, rect.top)];
                [maxX, maxY] = [Math.max(maxX, rect.right), Math.max(maxY, rect.bottom)];
            }
            const spanLeft = view.left + (minX - boxRect.left) / view.scale;
            const spanTop = view.top + (minY - boxRect.top) / view.scale;
            const spanX = (maxX - minX) / view.scale + 40;
            const spanY = (maxY - minY) / view.scale + 40;
            const scale = Math.min(FULL, size.width / spanX, size.height / spanY);
            show({ left: spanLeft - 20 - (size.width / scale - spanX) / 2,
                top: spanTop - 20 - (size.height / scale - spanY) / 2, scale: scale });
        }

        // The first view: the whole drawing when its labels stay readable so,
        // else 100 % at start (an element, or null).
        function ready(start) {
            measure();
            if (fitScale() >= FULL) {
                centred(FULL);
            } else if (fitScale() >= FULL * 0.75) {
                fit();
            } else {
                show({ left: drawingLeft, top: drawingTop, scale: FULL });
                keepInView(start);
            }
        }
        window.addEventListener("resize", () => {
            const [middleX, middleY] = middle();
            measure();
            show({ left: middleX - size.width / view.scale / 2, top: middleY - size.height / view.scale / 2,
                scale: view.scale });
        });

        byId("zoom-in").addEventListener("click", () => zoomAtMiddle(1.25));
        byId("zoom-out").addEventListener("click", () => zoomAtMiddle(0.8));
        byId("zoom-fit").addEventListener("click", fit);
        byId("zoom-full").addEventListener("click", full);
        box.addEventListener("keydown", (domEvent) => {
            if (domEvent.ctrlKey || domEvent.metaKey || domEvent.altKey) return;
            // A sixth of the box a press; with Shift, half of it.
            const step = (domEvent.shiftKey ? 0.5 : 1 / 6) * Math.min(size.width, size.height * 2);
            const keys = {
                "+": () => zoomAtMiddle(1.25),
                "=": () => zoomAtMiddle(1.25),
                "-": () => zoomAtMiddle(0.8),
                f: fit,
                F: fit,
                0: full,
                ArrowLeft: () => panBy(step, 0),
                ArrowRight: () => panBy(-step, 0),
                ArrowUp: () => panBy(0, step / 2),
                ArrowDown: () => panBy(0, -step / 2),
            };
            if (!keys[domEvent.key]) return;
            keys[domEvent.key]();
            domEvent.preventDefault();
            domEvent.stopPropagation();
        });
        // A pointer's place in the box.
        const inBox = (domEvent) => {
            const boxRect = box.getBoundingClientRect();
            return [domEvent.clientX - boxRect.left, domEvent.clientY - boxRect.top];
        };
        box.addEventListener("wheel", (domEvent) => {
            domEvent.preventDefault();
            const unit = domEvent.deltaMode === 1 ? 16 : domEvent.deltaMode === 2 ? size.height : 1;
            // A pinch on a touchpad comes as a wheel with Ctrl, in small steps.
            const rate = domEvent.ctrlKey ? 0.01 : 0.002;
            if (domEvent.shiftKey && !domEvent.ctrlKey) {
                panBy(-(domEvent.deltaX || domEvent.deltaY) * unit, 0);
                return;
            }
            zoomAt(Math.exp(-domEvent.deltaY * unit * rate), ...inBox(domEvent));
        }, { passive: false });

        // Drags pan; two fingers pinch. A press that moved is no click.
        const pointers = new Map();
        let moved = false;
        let pinch = null;
        const spread = () => {
            const [first, second] = [...pointers.values()];
            return Math.hypot(first[0] - second[0], first[1] - second[1]);
        };
        box.addEventListener("pointerdown", (domEvent) => {
            if (domEvent.button !== 0) return;
            pointers.set(domEvent.pointerId, inBox(domEvent));
            if (pointers.size === 1) moved = false;
            if (pointers.size === 2) pinch = spread();
        });
        box.addEventListener("pointermove", (domEvent) => {
            const last = pointers.get(domEvent.pointerId);
            if (!last) return;
            const now = inBox(domEvent);
            if (!moved && Math.hypot(now[0] - last[0], now[1] - last[1]) < 4) return;
            if (!moved) box.setPointerCapture(domEvent.pointerId);
            moved = true;
            box.classList.add("dragging");
            pointers.set(domEvent.pointerId, now);
            if (pointers.size === 2 && pinch) {
                const distance = spread();
                const [first, second] = [...pointers.values()];
                zoomAt(distance / pinch, (first[0] + second[0]) / 2, (first[1] + second[1]) / 2);
                pinch = distance;
            } else if (pointers.size === 1) {
                panBy(now[0] - last[0], now[1] - last[1]);
            }
        });
        const release = (domEvent) => {
            pointers.delete(domEvent.pointerId);
            if (pointers.size < 2) pinch = null;
            if (!pointers.size) box.classList.remove("dragging");
        };
        box.addEventListener("pointerup", release);
        box.addEventListener("pointercancel", release);

        return {
            ready: ready,
            keepInView: keepInView,
            showAll: showAll,
            // True when the last press moved: a drag, not a click.
            dragged: () => moved,
        };
    }

    return { attach: attach };
})();
