#include "export/htmlseite.h"

// One file with no reference outside it; the content security policy forbids the page any
// network access. The data element is parsed once; rows are drawn only for what is visible, so
// the page stays quick at a million files.
const char* const htmlseite::anfang = R"ZEMBROLA(<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="generator" content="Zembrola 3.1">
<title>Zembrola – Verzeichnisliste</title>
<style>
body{font:14px/1.35 "DejaVu Sans",Arial,sans-serif;margin:0;color:#222;background:#fff;display:flex;flex-direction:column;height:100vh}
header{padding:8px 14px;background:#1372a8;color:#fff}
header h1{font-size:17px;margin:0}
#kopf{display:flex;flex-wrap:wrap;gap:4px 40px;padding:8px 14px;border-bottom:1px solid #ccc;background:#f6f8fa}
#kopf table{border-collapse:collapse}
#kopf th{font-weight:normal;color:#555;text-align:left;padding:1px 12px 1px 0;white-space:nowrap}
#kopf td{padding:1px 0;white-space:pre}
#leiste{display:flex;align-items:center;gap:10px;padding:6px 14px;border-bottom:1px solid #ccc}
#suche{width:26em;font:inherit;padding:3px 6px}
#treffer{color:#555}
button{font:inherit}
#titel,.z{display:grid;grid-template-columns:minmax(0,1fr) 11em 11em 6em;gap:0 14px;align-items:center}
#titel{padding:3px 14px;font-weight:bold;border-bottom:1px solid #ccc;background:#f6f8fa}
#liste{flex:1;overflow:auto;position:relative;outline:none}
#zeilen{position:absolute;left:0;right:0}
.z{height:22px;padding:0 14px;white-space:pre;cursor:default}
.z>span{overflow:hidden;text-overflow:ellipsis}
.z:hover{background:#eef4f9}
.o{cursor:pointer;font-weight:bold}
.o .n::before{content:"\25B8\00A0";color:#1372a8}
.o.auf .n::before{content:"\25BE\00A0"}
.r{text-align:right;font-variant-numeric:tabular-nums}
.i{color:#666;font-weight:normal}
.v{color:#777}
</style>
</head>
<body>
<header><h1>Zembrola – Verzeichnisliste</h1></header>
<div id="kopf"></div>
<div id="leiste">
<label for="suche">Suche nach Namen:</label>
<input id="suche" type="search" placeholder="Teil des Dateinamens" autocomplete="off">
<span id="treffer"></span>
<span style="flex:1"></span>
<button id="auf" type="button">Alle öffnen</button>
<button id="zu" type="button">Alle schließen</button>
</div>
<div id="titel"><span>Name</span><span class="r">Größe</span><span>Datum</span><span>Attribute</span></div>
<div id="liste" tabindex="0"><div id="hoehe"></div><div id="zeilen"></div></div>
<noscript><p>Diese Seite braucht JavaScript.</p></noscript>
<script id="daten" type="application/json">)ZEMBROLA";

const char* const htmlseite::ende = R"ZEMBROLA(</script>
<script>
"use strict";
(function () {
// The data's text and its parsed form are dropped once the arrays below hold it.
const element = document.getElementById("daten");
const D = JSON.parse(element.textContent);
element.remove();
const K = D.kopf, S = D.zusammenfassung, T = K.trenner;
let V = D.verzeichnisse;
D.verzeichnisse = null;
const $ = (id) => document.getElementById(id);

// Folders, by number; 0 is the root.
const oName = [], oEltern = [], oKinder = [], oErste = [], oAnz = [], oGr = [], oGesAnz = [], oGesGr = [], oTiefe = [];
function ordner(name, eltern) {
  const i = oName.length;
  oName.push(name); oEltern.push(eltern); oKinder.push([]); oErste.push(0); oAnz.push(0); oGr.push(0);
  oGesAnz.push(0); oGesGr.push(0); oTiefe.push(eltern < 0 ? 0 : oTiefe[eltern] + 1);
  if (eltern >= 0) oKinder[eltern].push(i);
  return i;
}
const wurzelPfad = K.wurzel.endsWith(T) ? K.wurzel : K.wurzel + T;
ordner(K.wurzel, -1);
const pfade = new Map([["", 0]]);
// A folder on the way that listed nothing itself still gets its node.
function ordnerVon(rel) {
  const kette = [];
  let o = pfade.get(rel);
  while (o === undefined) {
    kette.push(rel);
    const p = rel.lastIndexOf(T, rel.length - 2);
    rel = p < 0 ? "" : rel.slice(0, p + 1);
    o = pfade.get(rel);
  }
  for (let i = kette.length - 1; i >= 0; --i) {
    const r = kette[i];
    o = ordner(r.slice(r.lastIndexOf(T, r.length - 2) + 1, -1), o);
    pfade.set(r, o);
  }
  return o;
}

let n = 0;
for (const v of V) n += v[4].length;
const fName = new Array(n), fAttr = new Uint8Array(n), fGr = new Float64Array(n), fZeit = new Float64Array(n);
const fOrdner = new Int32Array(n);
let k = 0;
for (const v of V) {
  const rel = v[0].startsWith(wurzelPfad) ? v[0].slice(wurzelPfad.length) : v[0];
  const o = ordnerVon(rel);
  // A large directory comes in several entries, one after the other.
  if (oAnz[o] === 0) oErste[o] = k;
  const namen = v[1].split("/"), gr = v[2], zeit = v[3], attr = v[4];
  let g = 0, c;
  for (let i = 0; i < namen.length; ++i, ++k) {
    fName[k] = namen[i]; fGr[k] = gr[i]; fZeit[k] = zeit[i]; c = attr.charCodeAt(i); fAttr[k] = c < 58 ? c - 48 : c - 87; fOrdner[k] = o; g += gr[i];
  }
  oAnz[o] += namen.length;
  oGr[o] += g;
}
V = null;
// Children are made after their parents: one pass backwards sums the subtrees.
for (let i = 0; i < oName.length; ++i) { oGesAnz[i] = oAnz[i]; oGesGr[i] = oGr[i]; }
for (let i = oName.length - 1; i > 0; --i) { oGesAnz[oEltern[i]] += oGesAnz[i]; oGesGr[oEltern[i]] += oGesGr[i]; }

// Texts as the program writes them.
const zwei = (x) => (x < 10 ? "0" : "") + x;
function tausender(x) { return Math.round(x).toString().replace(/\B(?=(\d{3})+(?!\d))/g, "."); }
function groesse(x) {
  const e = ["Bytes", "KByte", "MByte", "GByte", "TByte"];
  let i = 0;
  while (i < 4 && x >= 1024) { x /= 1024; ++i; }
  return i === 0 ? x + " Bytes" : x.toFixed(3).replace(".", ",") + " " + e[i];
}
function datum(sek) {
  const d = new Date(sek * 1000);
  let s = zwei(d.getUTCDate()) + "." + zwei(d.getUTCMonth() + 1) + "." + d.getUTCFullYear();
  if (d.getUTCHours() || d.getUTCMinutes() || d.getUTCSeconds())
    s += " " + zwei(d.getUTCHours()) + ":" + zwei(d.getUTCMinutes()) + ":" + zwei(d.getUTCSeconds());
  return s;
}
// "2013-12-24T18:30:12" of the header, shown as the listing's header shows it.
function iso(t) {
  const m = /^(\d+)-(\d+)-(\d+)(?:T(\d+):(\d+):(\d+))?/.exec(t || "");
  if (!m) return "";
  return m[3] + "." + m[2] + "." + m[1] + (m[4] && (m[4] + m[5] + m[6] !== "000000") ? " " + m[4] + ":" + m[5] + ":" + m[6] : "");
}
function dauer(ms) {
  const s = Math.floor(ms / 1000);
  return zwei(Math.floor(s / 3600)) + ":" + zwei(Math.floor(s / 60) % 60) + ":" + zwei(s % 60) + "," + zwei(Math.floor(ms % 1000 / 10));
}
// "h", "s", "r", "a" by the bits 8, 4, 2, 1.
const buchstaben = Array.from({length: 16}, (_, b) => (b & 8 ? "h" : "") + (b & 4 ? "s" : "") + (b & 2 ? "r" : "") + (b & 1 ? "a" : ""));
const esc = (s) => String(s).replace(/[&<>"]/g, (c) => ({"&": "&amp;", "<": "&lt;", ">": "&gt;", "\"": "&quot;"}[c]));
// A line break or tab in a name would break its row: shown as a sign instead.
const zeigen = (s) => esc(s.replace(/[\u0000-\u001f]/g, "\u21b5"));
const jaNein = (b) => (b ? "ja" : "nein");
const dateien = (x) => tausender(x) + (x === 1 ? " Datei" : " Dateien");

function tabelle(zeilen) {
  return "<table>" + zeilen.filter((z) => z).map((z) => "<tr><th>" + esc(z[0]) + "</th><td>" + esc(z[1]) + "</td></tr>").join("") + "</table>";
}
{
  const a = K.attribute;
  const attribute = a.alleDateien ? "alle Dateien"
    : [a.archiviert && "archiviert", a.nurLesen && "nur lesen", a.system && "System"].filter((x) => x).join(", ");
  const ort = K.suche === "netzwerk"
    ? [["Computer:", K.computer], ["Freigabe:", K.freigabe]]
    : [["Laufwerk:", K.laufwerk], K.bezeichnung !== undefined && ["Bezeichnung:", K.bezeichnung], ["Laufwerkstyp:", K.laufwerkstyp],
       K.gesamtgroesse !== undefined && ["Gesamtgröße:", groesse(K.gesamtgroesse)],
       K.frei !== undefined && ["- davon frei:", groesse(K.frei)]];
  const verz = S.durchsuchteVerzeichnisse === 1 ? "1 Verzeichnis" : S.durchsuchteVerzeichnisse + " Verzeichnisse";
  const gefunden = S.gefundeneDateien + " in " + (S.gefundeneVerzeichnisse === 1 ? "einem Verzeichnis" : S.gefundeneVerzeichnisse + " Verzeichnissen");
  $("kopf").innerHTML =
    tabelle([[K.suche === "netzwerk" ? "Suche im Netzwerk" : "Suche in lokalen Laufwerken", ""], ["Beginn der Suche:", iso(K.beginn)]].concat(ort)) +
    tabelle([["Suchverzeichnis:", K.suchverzeichnis], ["Suchmaske:", K.suchmaske], ["Unterverzeichnisse:", jaNein(K.unterverzeichnisse)],
             ["Versteckte Dateien:", jaNein(K.versteckteDateien)], ["Attribute:", attribute],
             K.datum && ["Datum:", iso(K.datum.start) + " bis " + iso(K.datum.ende)]]) +
    tabelle([["Durchsucht:", verz], ["gefundene Dateien:", gefunden], ["Belegter Speicher:", groesse(S.gefundeneGroesse)],
             S.unlesbareVerzeichnisse > 0 && ["Nicht lesbar:", S.unlesbareVerzeichnisse + " Verzeichnisse"],
             ["Ende der Suche:", iso(S.ende)], ["Dauer der Suche:", dauer(S.dauerMs)]]);
}

// Rows: a folder number (>= 0) or -(file number) - 1.
const offen = new Uint8Array(oName.length);
offen[0] = 1;
let reihen = [], suche = "";
function baumReihen() {
  const r = [], stapel = [0];
  while (stapel.length) {
    const o = stapel.pop();
    r.push(o);
    if (!offen[o]) continue;
    // Subfolders first, then the folder's files; each in the listing's order.
    const kinder = oKinder[o];
    for (let i = oAnz[o] - 1; i >= 0; --i) stapel.push(-(oErste[o] + i) - 1);
    for (let i = kinder.length - 1; i >= 0; --i) stapel.push(kinder[i]);
  }
  return r;
}
function pfadVon(o) {
  const teile = [];
  for (; o > 0; o = oEltern[o]) teile.push(oName[o]);
  return wurzelPfad + teile.reverse().map((x) => x + T).join("");
}

let klein = null;
function suchen(q) {
  suche = q.trim().toLowerCase();
  if (!suche) {
    reihen = baumReihen();
    $("treffer").textContent = "";
  } else {
    if (!klein) klein = fName.map((x) => x.toLowerCase());
    const r = [];
    for (let i = 0; i < n; ++i) if (klein[i].includes(suche)) r.push(-i - 1);
    reihen = r;
    $("treffer").textContent = (r.length === 1 ? "1 Treffer" : tausender(r.length) + " Treffer") + " unter " + dateien(n);
  }
  liste.scrollTop = 0;
  zeichnen();
}

const RH = 22, HOECHST = 8000000;
const liste = $("liste"), hoehe = $("hoehe"), zeilen = $("zeilen");
function zeile(i) {
  const x = reihen[i];
  if (x >= 0) {
    const einzug = oTiefe[x] * 18;
    const info = dateien(oGesAnz[x]) + (oGesAnz[x] !== oAnz[x] ? " (" + tausender(oAnz[x]) + " direkt)" : "");
    return "<div class=\"z o" + (offen[x] ? " auf" : "") + "\" data-r=\"" + i + "\"><span class=\"n\" style=\"padding-left:" + einzug +
      "px\">" + zeigen(oName[x]) + " <span class=\"i\">" + info + "</span></span><span class=\"r\">" + groesse(oGesGr[x]) +
      "</span><span></span><span></span></div>";
  }
  const f = -x - 1, o = fOrdner[f], pfad = pfadVon(o);
  // Hits show their folder below the root; the tooltip has the whole path.
  const name = suche ? "<span class=\"v\">" + zeigen(pfad.slice(wurzelPfad.length)) + "</span>" + zeigen(fName[f])
                     : "<span style=\"padding-left:" + (oTiefe[o] * 18 + 18) + "px\">" + zeigen(fName[f]) + "</span>";
  return "<div class=\"z\" data-r=\"" + i + "\"><span title=\"" + esc(pfad + fName[f]) + "\">" + name + "</span><span class=\"r\">" +
    tausender(fGr[f]) + "</span><span>" + datum(fZeit[f]) + "</span><span>" + buchstaben[fAttr[f]] + "</span></div>";
}
// Beyond what an element may be high, the scroll bar moves through the rows in proportion.
function zeichnen() {
  const h = liste.clientHeight, st = liste.scrollTop, gesamt = reihen.length * RH;
  const sichtbar = Math.min(gesamt, HOECHST);
  hoehe.style.height = sichtbar + "px";
  const virt = gesamt > sichtbar && sichtbar > h ? st * (gesamt - h) / (sichtbar - h) : st;
  const erste = Math.floor(virt / RH);
  const bis = Math.min(reihen.length, erste + Math.ceil(h / RH) + 2);
  let html = "";
  for (let i = erste; i < bis; ++i) html += zeile(i);
  zeilen.style.top = (st - (virt - erste * RH)) + "px";
  zeilen.innerHTML = html;
}
let geplant = false;
liste.addEventListener("scroll", () => {
  if (!geplant) { geplant = true; requestAnimationFrame(() => { geplant = false; zeichnen(); }); }
});
window.addEventListener("resize", zeichnen);
zeilen.addEventListener("click", (e) => {
  const z = e.target.closest(".z");
  if (!z) return;
  const x = reihen[+z.dataset.r];
  if (x >= 0 && !suche) { offen[x] ^= 1; reihen = baumReihen(); zeichnen(); }
});
let warten = 0;
$("suche").addEventListener("input", (e) => {
  clearTimeout(warten);
  warten = setTimeout(() => suchen(e.target.value), 120);
});
$("auf").addEventListener("click", () => { offen.fill(1); if (!suche) suchen(""); });
$("zu").addEventListener("click", () => { offen.fill(0); offen[0] = 1; if (!suche) suchen(""); });

// "#suche=Text" opens the page with that search; the times go into the body for measuring.
const anfrage = decodeURIComponent((/[#&]suche=([^&]*)/.exec(location.hash) || [])[1] || "");
suchen("");
document.body.dataset.bereitMs = Math.round(performance.now());
if (anfrage) {
  $("suche").value = anfrage;
  const t = performance.now();
  suchen(anfrage);
  document.body.dataset.sucheMs = Math.round(performance.now() - t);
}
})();
</script>
</body>
</html>
)ZEMBROLA";
