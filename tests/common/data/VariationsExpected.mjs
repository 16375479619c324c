// Writes VariationsExpected.h: the variations rows that colorjs.io (version 0.7.1, from the
// npm registry) makes of three colours, with white and one more colour as the blend's second.
// Run once from this folder when the colours change, with the package installed anywhere node
// finds it (NODE_PATH):
//     NODE_PATH=/path/to/node_modules node VariationsExpected.mjs > VariationsExpected.h
// The tests themselves never need node.
//
// Each swatch goes through the library alone: "#RRGGBB" parsed, mixed by hand in OKLab (From +
// (To - From) * t), or its OKLCH hue turned, then its CSS gamut mapping into sRGB and each
// channel rounded to nearest (halves up, as Math.round) and clamped to 0..255. The colour itself
// takes the same way (a turn of 0, a mix at 0 or 1), so the table also says that it comes back.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";

const entry = createRequire(import.meta.url).resolve("colorjs.io");
const loaded = (await import(entry)).default;
const Color = loaded.default ?? loaded;
const root = entry.slice(0, entry.lastIndexOf("colorjs.io") + "colorjs.io".length);
const VERSION = JSON.parse(readFileSync(root + "/package.json", "utf8")).version;

const COLORS = ["#00C8FF", "#808080", "#0A0508"];
const SECONDS = ["#FFFFFF", "#E0115F"];
const SHARES = [0.8, 0.6, 0.4, 0.2];
const TURNS = {
    Complement: [0, 180],
    Analogous: [-30, 0, 30],
    Triad: [0, 120, 240],
    Split: [0, 150, 210],
    Square: [0, 90, 180, 270],
};

function hex(color) {
    const srgb = color.to("srgb").toGamut({ space: "srgb", method: "css" });
    return srgb.coords
        .map(c => Math.min(255, Math.max(0, Math.round(c * 255))).toString(16).padStart(2, "0"))
        .join("");
}

function mixed(from, to, t) {
    const a = new Color(from).to("oklab").coords, b = new Color(to).to("oklab").coords;
    return hex(new Color("oklab", a.map((x, i) => x + (b[i] - x) * t)));
}

function turned(color, degrees) {
    let [l, c, h] = new Color(color).to("oklch").coords;
    if (Number.isNaN(h) || h === null) h = 0;  // no hue for a grey
    h = (((h + degrees) % 360) + 360) % 360;
    return hex(new Color("oklch", [l, c, h]));
}

const rows = [];
for (const color of COLORS) {
    const shades = [
        ...SHARES.map(t => mixed(color, "#000000", t)),
        mixed(color, color, 0),
        ...SHARES.slice().reverse().map(t => mixed(color, "#FFFFFF", t)),
    ];
    rows.push([color, "#000000", "Shades", shades]);
    for (const [name, turns] of Object.entries(TURNS))
        rows.push([color, "#000000", name, turns.map(d => turned(color, d))]);
    for (const second of SECONDS) {
        const blend = [0, 1, 2, 3, 4, 5, 6, 7, 8].map(k => mixed(color, second, k / 8));
        rows.push([color, second, "Blend", blend]);
    }
}

const bgr = s => "0x" + s.slice(5, 7) + s.slice(3, 5) + s.slice(1, 3);
console.log(`// Written by VariationsExpected.mjs with colorjs.io ${VERSION}: for each colour C and
// second colour D (used by the blend only), the swatches of a row, left to right, as RRGGBB.
#pragma once

struct TExpectedRow {
    TColor C, D;
    Variations::TRow Row;
    const char* Swatches;
};

const TExpectedRow kExpectedRows[] = {`);
for (const [color, second, name, swatches] of rows) {
    console.log(`    {${bgr(color)}, ${bgr(second)}, Variations::TRow::${name},`);
    console.log(`     "${swatches.join(" ")}"},`);
}
console.log("};");
