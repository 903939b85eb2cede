#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the sample site with quorvale-cli from copies of the installation
// folder in several forms (see siteForms: design 1 and 2 with and without the
// video, words far wider than a phone, the darkest and the lightest sample
// picture with a description full of markup characters; the forms without
// video have no site name) and checks each:
//
//   - no template tag is left unfilled; the video forms embed the player, the
//     others have none;
//   - every local href/src/srcset/poster and style sheet url() resolves to a
//     file inside the site, every in-page #fragment to an element of its page;
//   - html-validate (recommended rules) reports no error;
//   - robots.txt allows all and names the sitemap exactly when the site has an
//     address; sitemap.xml validates with xmllint against sitemap.xsd (beside
//     this script) and, with an address, lists every page;
//   - in headless Chromium at 1280x800 and 390x844 (phone emulation): every
//     request for a file of the site succeeds, no script error, every image
//     loads, no sideways scrolling, no axe-core violation of any impact, the
//     head (canonical, Open Graph, description, JSON-LD) is right, and text
//     over the background photo keeps WCAG AA contrast on every pixel behind it.
//
// Screenshots of index.html and one article (first screenful PNG; whole page
// JPEG for the sample texts) go to --out. With --canary design 1 is checked
// with planted faults (CANARY) and the run fails unless each is reported.
//
// Usage: node check-site.mjs --app <installation folder> --out <output folder> [--canary]

import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { HtmlValidate } from 'html-validate';
import { chromium } from 'playwright-core';

const WIDE = { width: 1280, height: 800 }, PHONE = { width: 390, height: 844, phone: true };
// The texts of "Load Dummy Data" (keys name the quorvale-cli build options).
const DEMO = {
    siteName: 'Depression Fighters', siteHeadline: 'Depression Fighters - Get Rid of Depression',
    siteDescription: 'Learn How to Get Rid of Depression without Pills!', adTitle: 'Best Program to Get Rid of Depression',
    adDescription: 'Solid program with tons of positive reviews.', buttonText: 'Click Here to Access',
    footer: 'Depression Fighters - All Rights Reserved',
};
// Words far wider than a phone: the pages must break them rather than scroll
// sideways. Each text differs, as a user's would.
const LONG = {
    siteName: 'Depressionfightersandfriendsnetworkonline',
    siteHeadline: 'Getridofdepressionwithoutpillsguide Stepbystepwellbeingwithoutmedication',
    siteDescription: 'Learnhowtogetridofdepressionwithoutpills description', adTitle: 'Bestprogramtogetridofdepressiontoday',
    adDescription: 'Solidprogramwithtonsofpositivereviewsfromreaders', buttonText: 'Clickheretoaccesstheprogramrightaway',
    footer: 'Depressionfightersallrightsreservedworldwide Contactusanytime', readMore: 'Continuereadingthisarticlerightnow',
    relatedArticles: 'Morearticlesaboutwellbeingforyou',
};
const QUOTED = { ...DEMO, siteDescription: 'Calm & "quiet" <days> for you' };
const VIDEO = 'fWFuQR_Wt4M', PLAYER = 'https://www.youtube-nocookie.com/embed/', BACKGROUND = 'Image288.jpg';
const DATA = ['template1', 'template1_novideo', 'template2', 'template2_novideo', 'apparticles', 'appimages', 'help'];
const TAG = /#[A-Z][A-Z_]*[0-9]?#/g;
const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const XSD = fileURLToPath(new URL('sitemap.xsd', import.meta.url));

function parseArgs(argv) {
    const opts = { canary: false };
    const usage = problem => {
        console.error(`check-site: ${problem}\nusage: node check-site.mjs --app <installation folder> --out <output folder> [--canary]`);
        process.exit(2);
    };
    for (let i = 0; i < argv.length; ++i) {
        const arg = argv[i];
        if (arg === '--canary') opts.canary = true;
        else if (/^--(app|out)$/.test(arg) && i + 1 < argv.length) opts[arg.slice(2)] = path.resolve(argv[++i]);
        else usage(/^--(app|out)$/.test(arg) ? `${arg} needs a folder` : `unknown argument '${arg}'`);
    }
    if (!opts.app || !opts.out) usage('--app and --out are required');
    return opts;
}

// The forms of the site to check; the canary run checks design 1 with planted faults only.
async function siteForms(browser, opts) {
    // full: whole-page screenshots; bg: a sample picture, checked on index.html and one article only.
    const base = { texts: DEMO, views: [WIDE, PHONE], video: true, full: true };
    if (opts.canary) return [{ ...base, label: 'v1-video', v: '1', demo: true, canary: true }];
    const [darkest, lightest] = await darkestAndLightest(browser, path.join(opts.app, 'appimages'));
    const url = 'https://example.org/';
    return ['1', '2'].flatMap(v => [
        { ...base, label: `v${v}-video`, v, demo: true, url },
        // Without a site name the link to the home page still has a name.
        { ...base, label: `v${v}-novideo`, v, video: false, texts: { ...DEMO, siteName: '' } },
        { ...base, label: `v${v}-longwords`, v, texts: LONG, views: [PHONE], full: false },
        ...Object.entries({ darkest, lightest }).map(([shade, bg]) =>
            ({ ...base, label: `v${v}-${shade}`, v, texts: QUOTED, bg, url: `${url}calm/`, full: false })),
    ]);
}

// ---- Building ---------------------------------------------------------------

function cli(app, args) {
    const run = spawnSync(path.join(app, 'quorvale-cli'), args, { encoding: 'utf8', timeout: 30_000, stdio: ['ignore', 'pipe', 'pipe'] });
    if (run.status !== 0)
        throw new Error(`quorvale-cli ${args[0]} failed (${run.status ?? run.signal ?? run.error?.code}): ${run.stderr || run.error?.message}`);
}

// Builds a form in its own copy of the installation folder (builds of a design share an output folder).
function buildSite(app, home, form) {
    for (const folder of DATA) {
        if (!fs.existsSync(path.join(app, folder))) throw new Error(`the installation folder ${app} has no ${folder}/`);
        fs.cpSync(path.join(app, folder), path.join(home, folder), { recursive: true });
    }
    if (form.canary) plantFaults(home);
    const address = form.url ? ['--site-url', form.url] : [];
    if (form.demo) {
        cli(app, ['demo', '--home', home, '--variation', form.v, ...address]);
    } else {
        const articles = fs.readdirSync(path.join(home, 'apparticles')).filter(n => n.endsWith('.txt')).sort()
            .map(n => path.join(home, 'apparticles', n));
        if (articles.length < 5) throw new Error(`apparticles holds ${articles.length} articles, a site needs 5`);
        const texts = Object.entries(form.texts).flatMap(([key, text]) => [`--${key.replace(/[A-Z]/g, c => `-${c.toLowerCase()}`)}`, text]);
        cli(app, ['build', '--home', home, '--variation', form.v, '--main', articles[0],
            ...[1, 2, 3, 4].flatMap(i => [`--article${i}`, articles[i]]), '--background', path.join(home, 'appimages', form.bg ?? BACKGROUND),
            '--video-id', form.video ? VIDEO : '', ...texts, ...address]);
    }
    const site = path.join(home, 'output', `template${form.v}`);
    if (!fs.existsSync(path.join(site, 'index.html'))) throw new Error(`the build wrote no ${path.join(site, 'index.html')}`);
    return site;
}

// ---- Checks of the files ----------------------------------------------------

// What is wrong with a local reference `value` (shown as `what`) of `file`; null when fine or a web address.
function badReference(site, file, what, value, ids) {
    if (value === '') return `${what} is empty`;
    if (/^[a-z][a-z0-9+.-]*:/i.test(value) && !/^file:/i.test(value)) return null; // the player, the button address
    let url;
    try { url = new URL(value, pathToFileURL(file)); } catch { return `${what} is not a valid address`; }
    const target = fileURLToPath(new URL(url.pathname, url)), relative = path.relative(site, target);
    if (target === file) return ids && url.hash && !ids.has(decodeURIComponent(url.hash.slice(1))) ? `${what} names no element of the page` : null;
    if (!relative || relative.startsWith('..') || path.isAbsolute(relative)) return `${what} points outside the site folder`;
    return fs.statSync(target, { throwIfNoEntry: false })?.isFile() ? null : `${what} does not resolve to a file (${relative})`;
}

// The page title is "article title | site name": a 41-letter site name makes it
// longer than search engines show. That is the user's text, not the template's.
const validators = new Map([false, true].map(long =>
    [long, new HtmlValidate({ extends: ['html-validate:recommended'], rules: long ? { 'long-title': 'off' } : {} })]));

// Problems of one page file: references, unfilled tags, the player, html-validate errors.
async function checkPage(site, name, form) {
    const file = path.join(site, name), html = fs.readFileSync(file, 'utf8');
    const ids = new Set([...html.matchAll(/\sid="([^"]*)"/g)].map(m => m[1]));
    const refs = [...html.matchAll(/\s(href|src|poster|srcset)="([^"]*)"/g)].flatMap(([, attr, value]) =>
        (attr === 'srcset' ? value.split(',').map(c => c.trim().split(/\s+/)[0]) : [value]).map(value => ({ attr, value })));
    const problems = refs.map(({ attr, value }) => badReference(site, file, `${attr}="${value}"`, value, ids));
    const leftover = [...new Set(html.match(TAG) ?? [])];
    if (leftover.length) problems.push(`unfilled tags ${leftover.join(' ')}`);
    const players = refs.filter(r => r.attr === 'src' && r.value.startsWith(PLAYER));
    if (form.video && !players.some(r => r.value === PLAYER + VIDEO)) problems.push(`no video player for ${VIDEO}`);
    if (!form.video && players.length) problems.push('a video player although the video id is empty');
    const report = await validators.get(form.texts === LONG).validateString(html, file);
    for (const m of report.results.flatMap(r => r.messages).filter(m => m.severity === 2))
        problems.push(`html-validate ${m.ruleId} (line ${m.line}:${m.column}): ${m.message}`);
    return problems.filter(Boolean);
}

// Problems of the whole site: the pages present, style sheet url()s, robots.txt and sitemap.xml.
function checkSite(site, pages, siteUrl) {
    const problems = [];
    if (!pages.includes('index.html') || pages.length !== 5)
        problems.push(`the site holds ${pages.length} pages (${pages.join(', ')}), expected index.html and four article pages`);
    for (const sheet of fs.readdirSync(site, { recursive: true }).filter(n => n.endsWith('.css'))) {
        const css = fs.readFileSync(path.join(site, sheet), 'utf8').replace(/\/\*[\s\S]*?\*\//g, '');
        for (const [, , value] of css.matchAll(/url\(\s*(["']?)([^"')]+)\1\s*\)/g))
            problems.push(badReference(site, path.join(site, sheet), `${sheet}: url(${value})`, value, null));
    }
    const read = name => (fs.existsSync(path.join(site, name)) ? fs.readFileSync(path.join(site, name), 'utf8') : '');
    const robots = read('robots.txt'), sitemap = read('sitemap.xml');
    if (!robots.startsWith('User-agent: *\nAllow: /\n') || robots.includes('Sitemap:') !== Boolean(siteUrl) ||
        (siteUrl && !robots.includes(`\nSitemap: ${siteUrl}sitemap.xml\n`)))
        problems.push(`robots.txt: ${JSON.stringify(robots)}`);
    if (sitemap) {
        const file = path.join(site, 'sitemap.xml'), lint = spawnSync('xmllint', ['--noout', '--nonet', '--schema', XSD, file], { encoding: 'utf8' });
        const lines = lint.error ? [`${lint.error.message} (Debian package libxml2-utils)`] : lint.status ? lint.stderr.trim().split('\n') : [];
        problems.push(...lines.map(line => `sitemap.xml: xmllint: ${line.replace(file, 'sitemap.xml')}`));
    }
    const listed = [...sitemap.matchAll(/<loc>([^<]*)<\/loc>/g)].map(m => decodeURI(m[1])).sort().join(' ');
    if (siteUrl && listed !== pages.map(name => siteUrl + (name === 'index.html' ? '' : name)).sort().join(' '))
        problems.push(`sitemap.xml lists ${listed || 'nothing'}`);
    return problems.filter(Boolean);
}

// ---- Checks in the browser --------------------------------------------------

// A stand-in for the embedded player: the check runs offline, and the page is
// judged, not the video service.
const PLAYER_STAND_IN = `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Video</title><style>
html,body{margin:0;height:100%;background:#0f0f10;display:grid;place-items:center;font:600 15px system-ui,sans-serif;color:#e8e8ea}
.play{width:68px;height:48px;border-radius:14px;background:#e62117;display:grid;place-items:center;margin:0 auto 10px}
.play::after{content:"";border-left:20px solid #fff;border-top:12px solid transparent;border-bottom:12px solid transparent;margin-left:4px}
</style></head><body><div><div class="play"></div>Video</div></body></html>`;

// Resolves once the document has painted twice more.
const nextPaint = () => new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(resolve)));

// Runs in the page: the texts whose nearest painted background is the photo

// (bg.jpg), with their colour, WCAG size class and the boxes of their lines

// in page coordinates. Text on a colour or picture of its own is axe's to judge.
function findTextOverPhoto() {
    const overPhoto = element => {
        for (; element; element = element.parentElement) {
            const style = getComputedStyle(element);
            if (style.backgroundImage.includes('bg.jpg')) return true;
            if (style.backgroundImage !== 'none' || style.backgroundColor.startsWith('rgb(')) return false;
        }
        return false;
    };
    const texts = new Map();
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node; (node = walker.nextNode());) {
        const element = node.parentElement;
        if (!node.data.trim() || !element.checkVisibility({ visibilityProperty: true, opacityProperty: true }) || !overPhoto(element))
            continue;
        const style = getComputedStyle(element), size = parseFloat(style.fontSize);
        const text = texts.get(element) ?? {
            name: `${element.tagName.toLowerCase()}.${element.className}`.replace(/\.$/, '').replace(/ +/g, '.'), color: style.color,
            large: size >= 24 || (size >= 18.66 && parseInt(style.fontWeight, 10) >= 700), rects: [],
        };
        const range = document.createRange();
        range.selectNodeContents(node);
        for (const r of range.getClientRects()) {
            const x = Math.max(0, Math.floor(r.left + scrollX)), y = Math.max(0, Math.floor(r.top + scrollY));
            if (r.width >= 1 && r.height >= 1)
                text.rects.push({ x, y, width: Math.ceil(r.right + scrollX) - x, height: Math.ceil(r.bottom + scrollY) - y });
        }
        texts.set(element, text);
    }
    return [...texts.values()].filter(text => text.rects.length);
}

// Runs in the page: decodes a picture (base64) and returns, for each text, the

// lowest WCAG contrast between its colour and any pixel in its boxes (offset by

// origin); without texts, the picture's mean relative luminance.
async function measurePixels({ image, type, origin, texts }) {
    const bitmap = await createImageBitmap(await (await fetch(`data:${type};base64,${image}`)).blob());
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const { data, width, height } = context.getImageData(0, 0, bitmap.width, bitmap.height);
    const linear = c => ((c /= 255) <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
    const luminance = (r, g, b) => 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
    if (!texts) {
        let sum = 0;
        for (let i = 0; i < data.length; i += 4) sum += luminance(data[i], data[i + 1], data[i + 2]);
        return sum / (width * height);
    }
    return texts.map(({ color, rects }) => {
        const [r, g, b, a = 1] = color.match(/[\d.]+/g).map(Number);
        let lowest = Infinity;
        for (const rect of rects)
            for (let y = rect.y - origin.y; y < Math.min(height, rect.y - origin.y + rect.height); ++y)
                for (let x = rect.x - origin.x; x < Math.min(width, rect.x - origin.x + rect.width); ++x) {
                    const i = (y * width + x) * 4;
                    const back = luminance(data[i], data[i + 1], data[i + 2]);
                    const fore = luminance(r * a + data[i] * (1 - a), g * a + data[i + 1] * (1 - a), b * a + data[i + 2] * (1 - a));
                    lowest = Math.min(lowest, (Math.max(fore, back) + 0.05) / (Math.min(fore, back) + 0.05));
                }
        return lowest;
    });
}

// The darkest and the lightest picture of a folder, by mean luminance.
async function darkestAndLightest(browser, folder) {
    const page = await browser.newPage(), ranked = [];
    for (const name of fs.readdirSync(folder).filter(n => /\.jpe?g$/i.test(n))) {
        const image = fs.readFileSync(path.join(folder, name)).toString('base64');
        ranked.push({ name, luminance: await page.evaluate(measurePixels, { image, type: 'image/jpeg' }) });
    }
    await page.close();
    ranked.sort((a, b) => a.luminance - b.luminance);
    return [ranked[0].name, ranked.at(-1).name];
}

// WCAG AA contrast (4.5:1, large text 3:1) of the text over the photo against

// every pixel behind it: a screenshot with all text hidden is measured where

// the text stands. Leaves the page's text hidden.
async function checkContrast(page) {
    const texts = await page.evaluate(findTextOverPhoto);
    if (!texts.length) return [];
    await page.addStyleTag({ content: '*, *::before, *::after { color: transparent !important; text-shadow: none !important; }' });
    await page.evaluate(nextPaint);
    const rects = texts.flatMap(text => text.rects);
    const x = Math.min(...rects.map(r => r.x)), y = Math.min(...rects.map(r => r.y));
    const clip = { x, y, width: Math.max(...rects.map(r => r.x + r.width)) - x, height: Math.max(...rects.map(r => r.y + r.height)) - y };
    const image = (await page.screenshot({ fullPage: true, clip })).toString('base64');
    const lowest = await page.evaluate(measurePixels, { image, type: 'image/png', origin: { x, y }, texts });
    return texts.map((text, i) => [text, lowest[i], text.large ? 3 : 4.5]).filter(([, low, needed]) => low < needed)
        .map(([text, low, needed]) => `contrast over the photo: ${text.name} ${low.toFixed(2)}:1, needs ${needed}:1`);
}

// Runs in the page: images not shown, and sideways scrolling seen through any overflow clipping of html and body.
function checkLayout(expectedWidth) {
    const broken = [...document.images].filter(img => !img.complete || img.naturalWidth === 0).map(img => img.getAttribute('src'));
    const style = document.head.appendChild(document.createElement('style'));
    style.textContent = 'html, body { overflow: visible !important; }';
    const root = document.documentElement, scrollWidth = Math.max(root.scrollWidth, document.body.scrollWidth), tooWide = [];
    for (const element of document.body.querySelectorAll('*')) {
        const box = element.getBoundingClientRect(), classes = typeof element.className === 'string' ? element.className.split(/\s+/) : [];
        if (box.width > 0 && (box.right > expectedWidth + 1 || box.left < -1))
            tooWide.push(`${[element.tagName.toLowerCase(), ...classes].filter(Boolean).join('.')} ` +
                `[${Math.round(box.left)}..${Math.round(box.right)}]`);
    }
    style.remove();
    const problems = broken.length ? [`images not shown: ${broken.join(', ')}`] : [];
    if (scrollWidth > root.clientWidth || innerWidth !== expectedWidth)
        problems.push(`scrolls sideways: content ${scrollWidth}px wide, window ${innerWidth}px` +
            (tooWide.length ? `; too wide: ${tooWide.slice(0, 5).join(', ')}` : ''));
    return problems;
}

// Runs in the page: what the head tells search engines and link previews.
function readHead() {
    const value = (selector, attribute = 'content') => document.head.querySelector(selector)?.getAttribute(attribute) ?? null;
    return {
        canonical: value('link[rel="canonical"]', 'href'), ogUrl: value('meta[property="og:url"]'), ogImage: value('meta[property="og:image"]'),
        description: value('meta[name="description"]'), ogDescription: value('meta[property="og:description"]'),
        jsonLd: document.head.querySelector('script[type="application/ld+json"]')?.textContent ?? null,
        firstSentence: document.querySelector('.story-body')?.textContent.replace(/\s+/g, ' ').trim() ?? '',
    };
}

// Addresses only with a site address, and absolute; the index page described

// by the site description, an article page by its first sentence, the same in

// the Open Graph tags and, on article pages, in the Article JSON-LD.
function checkHead(head, name, form) {
    const problems = [], index = name === 'index.html';
    const address = form.url ? form.url + (index ? '' : name) : null;
    const decoded = value => (value === null ? null : decodeURI(value));
    if (decoded(head.canonical) !== address || decoded(head.ogUrl) !== address)
        problems.push(`canonical ${head.canonical} and og:url ${head.ogUrl}, expected ${address}`);
    if (head.ogImage !== (form.url ? `${form.url}assets/images/bg.jpg` : null)) problems.push(`og:image ${head.ogImage}`);
    if (head.ogDescription !== head.description || !head.description ||
        (index ? head.description !== form.texts.siteDescription : !head.firstSentence.startsWith(head.description)))
        problems.push(`description "${head.description}" (og:description "${head.ogDescription}")`);
    const article = (() => { try { return JSON.parse(head.jsonLd); } catch { return null; } })();
    if (!index && (article?.['@type'] !== 'Article' || article.description !== head.description || article.image !== (head.ogImage ?? undefined)))
        problems.push(`JSON-LD ${head.jsonLd}`);
    return problems;
}

// Opens one page at one viewport size, takes its screenshots (to shot*, when given) and returns its problems.
async function checkInBrowser(browser, site, name, view, form, shot) {
    const context = await browser.newContext({ viewport: { width: view.width, height: view.height }, deviceScaleFactor: 1,
        isMobile: Boolean(view.phone), hasTouch: Boolean(view.phone), reducedMotion: 'reduce' });
    try {
        await context.route(/^https?:/, route => (route.request().url().startsWith(PLAYER)
            ? route.fulfill({ status: 200, contentType: 'text/html', body: PLAYER_STAND_IN }) : route.abort('blockedbyclient')));
        const page = await context.newPage(), failed = [];
        page.on('requestfailed', r => r.url().startsWith('file:') && failed.push(`request failed: ${r.url()} (${r.failure()?.errorText})`));
        page.on('pageerror', error => failed.push(`script error: ${error.message}`));
        await page.goto(pathToFileURL(path.join(site, name)).href, { waitUntil: 'load', timeout: 20_000 });
        await page.evaluate(() => document.fonts.ready);
        // The player loads lazily: bring it into view so that it shows in the screenshots.
        for (const handle of await page.$$('iframe')) {
            await handle.scrollIntoViewIfNeeded();
            const frame = await handle.contentFrame();
            await frame?.waitForURL(/^https?:/, { timeout: 5_000 }).catch(() => {});
            await frame?.waitForLoadState('load', { timeout: 5_000 }).catch(() => {});
            await frame?.evaluate(nextPaint).catch(() => {});
        }
        await page.evaluate(nextPaint);
        // Chromium paints a frame that has been scrolled out of view again only
        // once it comes back: take the whole page while the player is in view.
        if (shot && form.full) await page.screenshot({ path: `${shot}-full.jpg`, type: 'jpeg', quality: 80, fullPage: true });
        await page.evaluate(() => window.scrollTo(0, 0));
        if (shot) await page.screenshot({ path: `${shot}.png` });
        // What loading the page failed at, not what axe fetches later: it reads the style sheets again, which a file: page refuses.
        const problems = [...failed, ...await page.evaluate(checkLayout, view.width)];
        // The player's content is the video service's, not the site's: its frame is left out.
        await page.addScriptTag({ path: AXE });
        problems.push(...await page.evaluate(() => axe.run(document, { iframes: false, resultTypes: ['violations'] }).then(results =>
            results.violations.map(v => `axe ${v.id} (${v.impact}): ${v.help}: ${v.nodes.slice(0, 3).map(n => n.target.join(' ')).join(', ')}`))),
        ...checkHead(await page.evaluate(readHead), name, form), ...await checkContrast(page));
        return problems;
    } finally {
        await context.close();
    }
}

// ---- Planted faults ---------------------------------------------------------

const CANARY = [
    ['missing image (markup)', /src="assets\/images\/missing-photo\.jpg" does not resolve to a file/],
    ['missing image (browser)', /images not shown: assets\/images\/missing-photo\.jpg/],
    ['missing style sheet picture', /url\(\.\.\/images\/missing-texture\.png\) does not resolve/],
    ['missing style sheet picture (browser)', /request failed: .*missing-texture\.png/],
    ['link to a missing page', /href="no-such-page\.html" does not resolve to a file/],
    ['dead in-page link', /href="#nowhere" names no element/],
    ['unfilled tag', /unfilled tags #SIDEBAR_NOTE#/],
    ['element wider than a phone', /390px: scrolls sideways/],
    ['invalid HTML', /html-validate (no-implicit-close|close-order)/],
    ['content outside any landmark', /axe region \(moderate\)/],
    ['dim text over the photo', /contrast over the photo: p\.hero-lead/],
    ['invalid sitemap', /sitemap\.xml: xmllint: .*priority/],
    ['canonical link without a site address', /index\.html at 1280px: canonical https:\/\/elsewhere/],
];

// Plants the faults above into design 1 of a copied installation folder.
function plantFaults(home) {
    const design = path.join(home, 'template1'), index = path.join(design, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace(/^\s*<\/main>/m, `
    <img src="assets/images/missing-photo.jpg" alt="A photo" width="40" height="40">
    <div class="canary-wide">#SIDEBAR_NOTE#</div>
    <p><a href="no-such-page.html">Elsewhere</a> <a href="#nowhere">Up</a></p>
    <p><div>A block inside a paragraph</div></p>
  </main>`).replace('</footer>', '</footer>\n  <p>Outside every landmark</p>')
        .replace('</head>', '  <link rel="canonical" href="https://elsewhere.example/">\n</head>'));
    fs.appendFileSync(path.join(design, 'assets', 'css', 'style.css'),
        '\n.canary-wide { width: 480px; background: url("../images/missing-texture.png"); }\n.hero-lead { color: #6a6488; }\n');
    fs.writeFileSync(path.join(design, 'sitemap.xml'), '<?xml version="1.0" encoding="UTF-8"?>\n' +
        '<urlset xmlns="http://www.sitemaps.org/schemas/sitemap/0.9"><url><loc>https://example.org/</loc><priority>2.0</priority></url></urlset>\n');
}

// ---- Main -------------------------------------------------------------------

async function main() {
    const opts = parseArgs(process.argv.slice(2)), started = Date.now();
    const shots = path.join(opts.out, opts.canary ? 'canary' : '.'), work = path.join(opts.out, opts.canary ? 'canary-sites' : 'sites');
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(shots, { recursive: true });
    for (const old of fs.readdirSync(shots).filter(n => /\.(png|jpg)$/.test(n))) fs.rmSync(path.join(shots, old));
    // Debian's Chromium, never a browser download of Playwright's own; Playwright
    // adds --headless and a fresh temporary --user-data-dir.
    const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, chromiumSandbox: false, timeout: 30_000,
        args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-component-update',
            '--disable-sync'] });
    const failures = [], report = (where, problems) => failures.push(...problems.map(p => `${where}: ${p}`));
    let forms = [];
    try {
        forms = await siteForms(browser, opts);
        for (const form of forms) {
            const site = buildSite(opts.app, path.join(work, form.label), form);
            const pages = fs.readdirSync(site).filter(n => n.endsWith('.html')).sort();
            const shown = { 'index.html': 'index', [pages.find(n => n !== 'index.html')]: 'article' }; // screenshot names
            report(form.label, checkSite(site, pages, form.url));
            for (const name of pages) {
                report(`${form.label} ${name}`, await checkPage(site, name, form));
                if (form.bg && !shown[name]) continue;
                for (const view of form.views) {
                    const shot = shown[name] && path.join(shots, `${form.label}-${shown[name]}-${view.width}`);
                    report(`${form.label} ${name} at ${view.width}px`, await checkInBrowser(browser, site, name, view, form, shot));
                }
            }
            console.log(`${form.label}: ${pages.length} pages checked${form.bg ? ` (background ${form.bg})` : ''}`);
        }
    } finally {
        await browser.close();
    }
    const seconds = ((Date.now() - started) / 1000).toFixed(1);
    // The canary run passes when every planted fault is among the failures, the real run when there are none.
    const unmet = opts.canary ? CANARY.filter(([, pattern]) => !failures.some(f => pattern.test(f))) : failures;
    for (const f of failures) (opts.canary ? console.log : console.error)(opts.canary ? `  reported: ${f}` : `FAIL ${f}`);
    if (unmet.length) {
        console.error(opts.canary ? `FAILED: planted faults not reported: ${unmet.map(([name]) => name).join(', ')}`
            : `${failures.length} problems; screenshots in ${shots} (${seconds} s)`);
        process.exit(1);
    }
    console.log(opts.canary ? `All ${CANARY.length} planted faults reported (${seconds} s).`
        : `All ${forms.length} site forms pass; screenshots in ${shots} (${seconds} s)`);
}

main().catch(error => {
    console.error(`check-site: ${error.stack || error}`);
    process.exit(1);
});
