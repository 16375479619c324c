// Writes ContrastSuggestionsExpected.h: the contrast dialog's four suggestions (foreground and
// background, 4.5:1 and 7:1) for some pairs, found by trying every lightness with colorjs.io
// (version 0.7.1, from the npm registry). Run once from this folder when the pairs change, with
// the package installed anywhere node finds it (NODE_PATH):
//     NODE_PATH=/path/to/node_modules node ContrastSuggestionsExpected.mjs > ContrastSuggestionsExpected.h
// The tests themselves never need node.
//
// For the moved side's colour, its OKLCH lightness, chroma and hue come from the library; every
// lightness L0 + k * 0.0005 and L0 - k * 0.0005 inside 0..1, and 1 and 0 themselves, goes
// through the library's CSS gamut mapping into sRGB, each channel rounded to nearest and
// clamped to 0..255. Each colour is judged with the foreground laid over the background
// channel by channel, round(b * (1 - p) + f * p) with halves up, and the WCAG ratio of that
// with the background, cut to hundredths. Of the colours that pass, the one whose lightness is
// nearest L0 wins, the lighter on a tie; a pair that passes as it is keeps its colour. The
// ratios here are in doubles: the script stops when any one it decides by is too close to a
// hundredth for doubles to tell, so no pair below depends on it.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";

const entry = createRequire(import.meta.url).resolve("colorjs.io");
const loaded = (await import(entry)).default;
const Color = loaded.default ?? loaded;
const root = entry.slice(0, entry.lastIndexOf("colorjs.io") + "colorjs.io".length);
const VERSION = JSON.parse(readFileSync(root + "/package.json", "utf8")).version;

const STEP = 0.0005;
const TARGETS = [450, 700];

// Foreground, background, opacity in percent, and what each pair shows.
const PAIRS = [
    ["#777777", "#FFFFFF", 100],  // a grey; no background reaches 7:1
    ["#FF8000", "#FFFFFF", 100],  // darker oranges leave sRGB
    ["#3366CC", "#000000", 100],  // lighter blues leave sRGB
    ["#0000FF", "#00FF00", 100],  // passes 4.5:1 as it is; lighter greens leave sRGB
    ["#E0115F", "#808080", 100],  // a strong colour on mid grey: 7:1 out of reach
    ["#1A1A1A", "#FAFAFA", 100],  // passes both as it is
    ["#202020", "#757474", 100],  // of the foregrounds only black itself reaches 4.5:1
    ["#62727F", "#757575", 100],  // a lighter and a darker foreground as near: the lighter
    ["#2080FF", "#FFFFFF", 60],   // the overlay lighter than the foreground
    ["#FFFFFF", "#3366CC", 70],
    ["#FDE7E8", "#CD3442", 49],   // dark backgrounds all just short of 4.5:1
    ["#16A8DF", "#0967C7", 100],  // answers found only with steps as fine as 0.0005
    // Answers just past long runs of lightnesses that come close to passing: the search may
    // pass over none of them unseen.
    ["#5FBAB8", "#B3342C", 87],
    ["#D40525", "#1CFB32", 85],
    ["#EBC3B8", "#D52BB3", 57],
    ["#119922", "#552233", 0],    // a foreground not seen at all
];

const channels = hex => [1, 3, 5].map(i => parseInt(hex.slice(i, i + 2), 16));
const hexOf = rgb => rgb.map(c => c.toString(16).toUpperCase().padStart(2, "0")).join("");

function luminance(rgb) {
    const linear = rgb.map(v => {
        const c = v / 255;
        return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
}

// The ratio in hundredths, unrounded.
function ratio(a, b) {
    const x = luminance(a) + 0.05, y = luminance(b) + 0.05;
    return (100 * Math.max(x, y)) / Math.min(x, y);
}

const TOO_CLOSE = 1e-9;

function cut(hundredths) {
    const nearest = Math.round(hundredths);
    if (Math.abs(hundredths - nearest) < TOO_CLOSE) throw new Error(`ratio ${hundredths} too close to call`);
    return Math.floor(hundredths);
}

const overlay = (fore, back, p) => fore.map((f, i) => Math.floor((back[i] * (100 - p) + f * p + 50) / 100));

function judged(fore, back, p, side, moved, target) {
    const f = side === "Foreground" ? moved : fore, b = side === "Background" ? moved : back;
    const r = ratio(overlay(f, b, p), b);
    if (Math.abs(r - target) < TOO_CLOSE) throw new Error(`ratio ${r} too close to ${target}`);
    return { passes: r >= target, hundredths: r };
}

function mapped(l, c, h) {
    const srgb = new Color("oklch", [l, c, h]).to("srgb").toGamut({ space: "srgb", method: "css" });
    return srgb.coords.map(v => Math.min(255, Math.max(0, Math.round(v * 255))));
}

function suggestion(fore, back, p, side, target) {
    const own = side === "Foreground" ? fore : back;
    const itself = judged(fore, back, p, side, own, target);
    if (itself.passes) return { reachable: true, color: own, ratio: cut(itself.hundredths) };
    let [l0, c, h] = new Color("srgb", own.map(v => v / 255)).to("oklch").coords;
    if (Number.isNaN(h) || h === null) h = 0;  // no hue for a grey
    const tried = [];
    for (const direction of [+1, -1]) {
        for (let k = 1; ; k++) {
            const l = l0 + direction * (k * STEP);
            if (direction > 0 ? l >= 1 : l <= 0) {
                tried.push({ l: direction > 0 ? 1 : 0, distance: direction > 0 ? 1 - l0 : l0 });
                break;
            }
            tried.push({ l, distance: k * STEP });
        }
    }
    let best = null;
    for (const t of tried) {
        const color = mapped(t.l, c, h);
        const verdict = judged(fore, back, p, side, color, target);
        if (!verdict.passes) continue;
        if (!best || t.distance < best.distance || (t.distance === best.distance && t.l > best.l))
            best = { ...t, color, hundredths: verdict.hundredths };
    }
    return best ? { reachable: true, color: best.color, ratio: cut(best.hundredths) }
                : { reachable: false, color: [0, 0, 0], ratio: 0 };
}

console.log(`// Written by ContrastSuggestionsExpected.mjs with colorjs.io ${VERSION}: for each pair (colours as
// 0xRRGGBB) and opacity, the suggestion for one side and threshold: whether any lightness
// reaches it, the side's colour and the ratio it gives.
#pragma once

struct TExpectedSuggestion {
    unsigned Fore, Back;
    int Opacity;
    Contrast::TSide Side;
    int Target;
    bool Reachable;
    unsigned Color;
    int Ratio;
};

const TExpectedSuggestion kExpectedSuggestions[] = {`);
for (const [foreHex, backHex, p] of PAIRS) {
    const fore = channels(foreHex), back = channels(backHex);
    for (const side of ["Foreground", "Background"])
        for (const target of TARGETS) {
            const s = suggestion(fore, back, p, side, target);
            console.log(`    {0x${hexOf(fore)}, 0x${hexOf(back)}, ${p}, Contrast::TSide::${side}, ${target}, ` +
                        `${s.reachable}, 0x${hexOf(s.color)}, ${s.ratio}},`);
        }
}
console.log("};");
