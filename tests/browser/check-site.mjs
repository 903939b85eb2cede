#!/usr/bin/env node
// Builds the sample site with quorvale-cli from a copy of the installation
// folder in four forms (design 1 and 2, with and without the video; the video
// forms with a site address), one form of each design whose site texts are
// words far wider than a phone, and two of each with the darkest and the
// lightest sample picture and a description full of markup characters, then
// checks every form:
//
//   - no tag of the templates is left unfilled, and the video flavour embeds
//     the video while the no-video flavour has no player;
//   - every local href/src of every page (and every file the browser asks
//     for, style sheet pictures included) resolves to a file inside the site
//     folder, and every in-page #fragment names an element of its page;
//   - html-validate (recommended rules) reports no error on any page;
//   - robots.txt allows all and names the sitemap exactly when the site has
//     an address; a sitemap.xml validates against the sitemaps.org schema
//     (sitemap.xsd beside this script) with xmllint and, with an address,
//     lists every page;
//   - every page, opened in headless Chromium at 1280x800 and at 390x844
//     (phone emulation; the long-word forms at 390x844 only), loads every
//     image, cannot be scrolled sideways, has no axe-core violation of any
//     impact, and has the head search engines and link previews read (see
//     checkHead); text over the background photo keeps the WCAG AA contrast on
//     every pixel behind it, with the demo picture and with the darkest and
//     the lightest sample picture (by mean luminance).
//
// Screenshots of the first screenful (PNG) and of the whole page (JPEG) of
// index.html and one article page go to the output folder. With --canary the
// same checks run on a copy of design 1 with planted faults (missing image,
// picture and page, dead in-page link, unfilled tag, an element wider than a
// phone, invalid HTML, content outside any landmark, dim text over the photo,
// an invalid sitemap, a canonical link without a site address), and the run
// fails unless every one of them is reported: that proves the checks can fail.
//
// Usage: node check-site.mjs --app <installation folder> --out <output folder> [--canary]

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { HtmlValidate } from 'html-validate';
import { chromium } from 'playwright-core';

// Debian's Chromium, never a browser download of Playwright's own. Playwright
// adds --headless and a fresh temporary --user-data-dir to every launch.
const CHROMIUM = '/usr/bin/chromium';
const CHROMIUM_FLAGS = [
    '--no-sandbox',
    '--disable-gpu',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
];
const VIEWPORTS = [
    { name: '1280', width: 1280, height: 800, phone: false },
    { name: '390', width: 390, height: 844, phone: true },
];
// The sample site texts of "Load Dummy Data"; the no-video forms are built
// with the same texts and an empty video id.
const DEMO = {
    siteName: 'Depression Fighters',
    siteHeadline: 'Depression Fighters - Get Rid of Depression',
    siteDescription: 'Learn How to Get Rid of Depression without Pills!',
    videoId: 'fWFuQR_Wt4M',
    adTitle: 'Best Program to Get Rid of Depression',
    adDescription: 'Solid program with tons of positive reviews.',
    buttonText: 'Click Here to Access',
    footer: 'Depression Fighters - All Rights Reserved',
    background: 'Image288.jpg',
};
// Site texts made of words far wider than a phone: the pages must break them
// rather than scroll sideways. Each text differs, as a user's would.
const LONG = {
    siteName: 'Depressionfightersandfriendsnetworkonline',
    siteHeadline: 'Getridofdepressionwithoutpillsguide Stepbystepwellbeingwithoutmedication',
    siteDescription: 'Learnhowtogetridofdepressionwithoutpills description',
    adTitle: 'Bestprogramtogetridofdepressiontoday',
    adDescription: 'Solidprogramwithtonsofpositivereviewsfromreaders',
    buttonText: 'Clickheretoaccesstheprogramrightaway',
    footer: 'Depressionfightersallrightsreservedworldwide Contactusanytime',
    readMore: 'Continuereadingthisarticlerightnow',
    relatedArticles: 'Morearticlesaboutwellbeingforyou',
};
// The sample texts with a site description that HTML would take for markup.
const QUOTED = { ...DEMO, siteDescription: 'Calm & "quiet" <days> for you' };
const DATA_FOLDERS = ['template1', 'template1_novideo', 'template2', 'template2_novideo', 'apparticles', 'appimages', 'help'];
const TAG = /#[A-Z][A-Z_]*[0-9]?#/g;
const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const SITEMAP_SCHEMA = fileURLToPath(new URL('sitemap.xsd', import.meta.url));

// ---- Command line -----------------------------------------------------------

function parseArguments(argv) {
    const options = { app: '', out: '', canary: false };
    for (let i = 0; i < argv.length; ++i) {
        const argument = argv[i];
        if (argument === '--app' || argument === '--out') {
            if (i + 1 >= argv.length)
                usage(`${argument} needs a folder`);
            options[argument.slice(2)] = path.resolve(argv[++i]);
        } else if (argument === '--canary') {
            options.canary = true;
        } else {
            usage(`unknown argument '${argument}'`);
        }
    }
    if (!options.app || !options.out)
        usage('--app and --out are required');
    return options;
}

function usage(problem) {
    console.error(`check-site: ${problem}\nusage: node check-site.mjs --app <installation folder> --out <output folder> [--canary]`);
    process.exit(2);
}

// ---- Building the sites -------------------------------------------------------

function copyInstallation(app, home) {
    fs.mkdirSync(home, { recursive: true });
    for (const folder of DATA_FOLDERS) {
        const from = path.join(app, folder);
        if (!fs.existsSync(from))
            throw new Error(`the installation folder ${app} has no ${folder}/`);
        fs.cpSync(from, path.join(home, folder), { recursive: true });
    }
}

function runCli(app, args) {
    try {
        return execFileSync(path.join(app, 'quorvale-cli'), args, { encoding: 'utf8', timeout: 30_000, stdio: ['ignore', 'pipe', 'pipe'] });
    } catch (error) {
        throw new Error(`quorvale-cli ${args[0]} failed (${error.status ?? error.signal}): ${error.stderr || error.message}`);
    }
}

/** Builds one form of the sample site into home/output/template<V> and returns that folder. */
function buildSite(app, home, form) {
    const address = form.siteUrl ? ['--site-url', form.siteUrl] : [];
    if (form.texts === DEMO && form.withVideo && !form.background) {
        runCli(app, ['demo', '--home', home, '--variation', form.variation, ...address]);
    } else {
        const articles = fs.readdirSync(path.join(home, 'apparticles')).filter(name => name.endsWith('.txt')).sort();
        if (articles.length < 5)
            throw new Error(`apparticles holds ${articles.length} articles, a site needs 5`);
        const article = i => path.join(home, 'apparticles', articles[i]);
        const t = form.texts;
        const args = ['build', '--home', home, '--variation', form.variation,
            '--main', article(0), '--article1', article(1), '--article2', article(2),
            '--article3', article(3), '--article4', article(4),
            '--background', path.join(home, 'appimages', form.background ?? DEMO.background),
            '--site-name', t.siteName, '--site-headline', t.siteHeadline,
            '--site-description', t.siteDescription, '--ad-title', t.adTitle,
            '--ad-description', t.adDescription, '--button-text', t.buttonText,
            '--footer', t.footer, '--video-id', form.withVideo ? DEMO.videoId : '', ...address];
        if (t.readMore)
            args.push('--read-more', t.readMore, '--related-articles', t.relatedArticles);
        runCli(app, args);
    }
    const site = path.join(home, 'output', `template${form.variation}`);
    if (!fs.existsSync(path.join(site, 'index.html')))
        throw new Error(`the build wrote no ${path.join(site, 'index.html')}`);
    return site;
}

// ---- Static checks of the page files --------------------------------------------

function isInside(folder, file) {
    const relative = path.relative(folder, file);
    return relative !== '' && !relative.startsWith('..') && !path.isAbsolute(relative);
}

/** The ids and the href/src/srcset/poster references of a page, read from its markup. */
function readPage(file) {
    const html = fs.readFileSync(file, 'utf8');
    const ids = new Set([...html.matchAll(/\sid="([^"]*)"/g)].map(m => m[1]));
    const references = [];
    for (const m of html.matchAll(/\s(href|src|poster)="([^"]*)"/g))
        references.push({ attribute: m[1], value: m[2] });
    for (const m of html.matchAll(/\ssrcset="([^"]*)"/g)) {
        for (const candidate of m[1].split(','))
            references.push({ attribute: 'srcset', value: candidate.trim().split(/\s+/)[0] });
    }
    return { html, ids, references };
}

/** Problems with the references of one page: missing files, files outside the site, dead fragments. */
function checkReferences(site, file, page) {
    const problems = [];
    const pageUrl = pathToFileURL(file);
    for (const { attribute, value } of page.references) {
        if (value === '') {
            problems.push(`empty ${attribute}`);
            continue;
        }
        if (/^[a-z][a-z0-9+.-]*:/i.test(value) && !/^file:/i.test(value))
            continue; // web addresses (the video player, the button address) are not part of the site
        let url;
        try {
            url = new URL(value, pageUrl);
        } catch {
            problems.push(`${attribute}="${value}" is not a valid address`);
            continue;
        }
        if (url.protocol !== 'file:')
            continue;
        const target = fileURLToPath(new URL(url.pathname, url));
        if (target === file) {
            if (url.hash && !page.ids.has(decodeURIComponent(url.hash.slice(1))))
                problems.push(`${attribute}="${value}" names no element of the page`);
            continue;
        }
        if (!isInside(site, target))
            problems.push(`${attribute}="${value}" points outside the site folder`);
        else if (!fs.existsSync(target) || !fs.statSync(target).isFile())
            problems.push(`${attribute}="${value}" does not resolve to a file (${path.relative(site, target)})`);
    }
    return problems;
}

/** url(...) references of the site's style sheets. */
function checkStyleSheets(site) {
    const problems = [];
    const sheets = [];
    const walk = folder => {
        for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
            const full = path.join(folder, entry.name);
            if (entry.isDirectory())
                walk(full);
            else if (entry.name.endsWith('.css'))
                sheets.push(full);
        }
    };
    walk(site);
    for (const sheet of sheets) {
        const css = fs.readFileSync(sheet, 'utf8').replace(/\/\*[\s\S]*?\*\//g, '');
        for (const m of css.matchAll(/url\(\s*(["']?)([^"')]+)\1\s*\)/g)) {
            const value = m[2];
            if (/^(data|https?):/.test(value) || value.startsWith('#'))
                continue;
            const target = path.resolve(path.dirname(sheet), value.split(/[?#]/)[0]);
            if (!isInside(site, target) || !fs.existsSync(target))
                problems.push(`${path.relative(site, sheet)}: url(${value}) does not resolve to a file of the site`);
        }
    }
    return problems;
}

const validator = new HtmlValidate({
    extends: ['html-validate:recommended'],
});
// The page title is "article title | site name": with a 41-letter site name
// it passes 70 characters, the length search engines show. That is the
// user's text, not the template's, so the long-word forms leave that rule out.
const longTextValidator = new HtmlValidate({
    extends: ['html-validate:recommended'],
    rules: { 'long-title': 'off' },
});

async function validate(file, texts) {
    const report = await (texts === LONG ? longTextValidator : validator).validateString(fs.readFileSync(file, 'utf8'), file);
    const errors = [];
    for (const result of report.results) {
        for (const message of result.messages) {
            if (message.severity === 2)
                errors.push(`html-validate ${message.ruleId} (line ${message.line}:${message.column}): ${message.message}`);
        }
    }
    return errors;
}

/** xmllint's complaints about a sitemap, checked against the sitemaps.org schema. */
function validateSitemap(file) {
    try {
        execFileSync('xmllint', ['--noout', '--nonet', '--schema', SITEMAP_SCHEMA, file], { stdio: ['ignore', 'pipe', 'pipe'] });
        return [];
    } catch (error) {
        if (error.code === 'ENOENT')
            return ['xmllint not found (Debian package libxml2-utils)'];
        return String(error.stderr || error.message).trim().split('\n').map(line => `xmllint: ${line.replace(file, 'sitemap.xml')}`);
    }
}

/** robots.txt always, naming sitemap.xml exactly when the site has an address; sitemap.xml valid and listing every page. */
function checkSearchFiles(site, siteUrl, pages) {
    const read = name => (fs.existsSync(path.join(site, name)) ? fs.readFileSync(path.join(site, name), 'utf8') : '');
    const robots = read('robots.txt'), sitemap = read('sitemap.xml');
    const problems = [];
    if (!robots.startsWith('User-agent: *\nAllow: /\n') || robots.includes('Sitemap:') !== Boolean(siteUrl) ||
        (siteUrl && !robots.includes(`\nSitemap: ${siteUrl}sitemap.xml\n`)))
        problems.push(`robots.txt: ${JSON.stringify(robots)}`);
    if (sitemap)
        problems.push(...validateSitemap(path.join(site, 'sitemap.xml')).map(problem => `sitemap.xml: ${problem}`));
    const listed = [...sitemap.matchAll(/<loc>([^<]*)<\/loc>/g)].map(m => decodeURI(m[1])).sort().join(' ');
    if (siteUrl && listed !== pages.map(name => siteUrl + (name === 'index.html' ? '' : name)).sort().join(' '))
        problems.push(`sitemap.xml lists ${listed || 'nothing'}`);
    return problems;
}

async function checkFiles(site, form) {
    const withVideo = form.withVideo;
    const failures = [];
    const pages = fs.readdirSync(site).filter(name => name.endsWith('.html')).sort();
    if (!pages.includes('index.html') || pages.length !== 5)
        failures.push(`the site holds ${pages.length} pages (${pages.join(', ')}), expected index.html and four article pages`);
    failures.push(...checkStyleSheets(site), ...checkSearchFiles(site, form.siteUrl, pages));
    for (const name of pages) {
        const file = path.join(site, name);
        const page = readPage(file);
        const problems = checkReferences(site, file, page);
        const leftover = [...new Set(page.html.match(TAG) ?? [])];
        if (leftover.length)
            problems.push(`unfilled tags ${leftover.join(' ')}`);
        const players = page.references.filter(r => r.attribute === 'src' && r.value.startsWith('https://www.youtube-nocookie.com/embed/'));
        if (withVideo && !players.some(r => r.value.endsWith(`/embed/${DEMO.videoId}`)))
            problems.push(`no video player for ${DEMO.videoId}`);
        if (!withVideo && players.length)
            problems.push('a video player although the video id is empty');
        problems.push(...await validate(file, form.texts));
        failures.push(...problems.map(problem => `${name}: ${problem}`));
    }
    return { failures, pages };
}

// ---- Browser checks ---------------------------------------------------------------

// A stand-in for the embedded player: the check runs offline, and the page is
// judged, not the video service.
const PLAYER_STAND_IN = `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Video</title><style>
html,body{margin:0;height:100%;background:#0f0f10;display:grid;place-items:center;font:600 15px system-ui,sans-serif;color:#e8e8ea}
.play{width:68px;height:48px;border-radius:14px;background:#e62117;display:grid;place-items:center;margin:0 auto 10px}
.play::after{content:"";border-left:20px solid #fff;border-top:12px solid transparent;border-bottom:12px solid transparent;margin-left:4px}
</style></head><body><div><div class="play"></div>Video</div></body></html>`;

/** Resolves once the document has painted twice more. */
const nextPaint = () => new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(resolve)));

/**
 * Runs in the page: the texts whose nearest painted background is the photo
 * (bg.jpg), with their colour, WCAG size class and the boxes of their lines
 * in page coordinates. Text on a colour or picture of its own is axe's to judge.
 */
function findTextOverPhoto() {
    const overPhoto = element => {
        for (; element; element = element.parentElement) {
            const style = getComputedStyle(element);
            if (style.backgroundImage.includes('bg.jpg'))
                return true;
            if (style.backgroundImage !== 'none' || style.backgroundColor.startsWith('rgb('))
                return false;
        }
        return false;
    };
    const texts = new Map();
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node; (node = walker.nextNode());) {
        const element = node.parentElement;
        if (!node.data.trim() || !element.checkVisibility({ visibilityProperty: true, opacityProperty: true }) || !overPhoto(element))
            continue;
        const range = document.createRange();
        range.selectNodeContents(node);
        const style = getComputedStyle(element);
        const size = parseFloat(style.fontSize);
        const text = texts.get(element) ?? {
            name: `${element.tagName.toLowerCase()}.${element.className}`.replace(/\.$/, '').replace(/ +/g, '.'),
            color: style.color,
            large: size >= 24 || (size >= 18.66 && parseInt(style.fontWeight, 10) >= 700),
            rects: [],
        };
        for (const r of range.getClientRects()) {
            const x = Math.max(0, Math.floor(r.left + scrollX)), y = Math.max(0, Math.floor(r.top + scrollY));
            if (r.width >= 1 && r.height >= 1)
                text.rects.push({ x, y, width: Math.ceil(r.right + scrollX) - x, height: Math.ceil(r.bottom + scrollY) - y });
        }
        texts.set(element, text);
    }
    return [...texts.values()].filter(text => text.rects.length);
}

/**
 * Runs in the page: decodes a picture (base64) and returns, for each text, the
 * lowest WCAG contrast between its colour and any pixel in its boxes (offset by
 * origin); without texts, the picture's mean relative luminance.
 */
async function measurePixels({ image, type, origin, texts }) {
    const bitmap = await createImageBitmap(await (await fetch(`data:${type};base64,${image}`)).blob());
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const { data, width, height } = context.getImageData(0, 0, bitmap.width, bitmap.height);
    const linear = c => ((c /= 255) <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
    const luminance = (r, g, b) => 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
    if (!texts) {
        let sum = 0;
        for (let i = 0; i < data.length; i += 4)
            sum += luminance(data[i], data[i + 1], data[i + 2]);
        return sum / (width * height);
    }
    return texts.map(({ color, rects }) => {
        const [r, g, b, a = 1] = color.match(/[\d.]+/g).map(Number);
        let lowest = Infinity;
        for (const rect of rects) {
            for (let y = rect.y - origin.y; y < Math.min(height, rect.y - origin.y + rect.height); ++y) {
                for (let x = rect.x - origin.x; x < Math.min(width, rect.x - origin.x + rect.width); ++x) {
                    const i = (y * width + x) * 4;
                    const back = luminance(data[i], data[i + 1], data[i + 2]);
                    const fore = luminance(r * a + data[i] * (1 - a), g * a + data[i + 1] * (1 - a), b * a + data[i + 2] * (1 - a));
                    lowest = Math.min(lowest, (Math.max(fore, back) + 0.05) / (Math.min(fore, back) + 0.05));
                }
            }
        }
        return lowest;
    });
}

/** Runs in the page: what the head tells search engines and link previews. */
function readHead() {
    const value = (selector, attribute = 'content') => document.head.querySelector(selector)?.getAttribute(attribute) ?? null;
    return {
        canonical: value('link[rel="canonical"]', 'href'), ogUrl: value('meta[property="og:url"]'),
        ogImage: value('meta[property="og:image"]'), description: value('meta[name="description"]'),
        ogDescription: value('meta[property="og:description"]'),
        jsonLd: document.head.querySelector('script[type="application/ld+json"]')?.textContent ?? null,
        firstSentence: document.querySelector('.story-body')?.textContent.replace(/\s+/g, ' ').trim() ?? '',
    };
}

/**
 * Addresses only with a site address, and absolute; the index page described
 * by the site description, an article page by its first sentence, the same in
 * the Open Graph tags and, on article pages, in the Article JSON-LD.
 */
function checkHead(head, name, form) {
    const problems = [];
    const address = form.siteUrl ? form.siteUrl + (name === 'index.html' ? '' : name) : null;
    const decoded = value => (value === null ? null : decodeURI(value));
    if (decoded(head.canonical) !== address || decoded(head.ogUrl) !== address)
        problems.push(`canonical ${head.canonical} and og:url ${head.ogUrl}, expected ${address}`);
    if (head.ogImage !== (form.siteUrl ? `${form.siteUrl}assets/images/bg.jpg` : null))
        problems.push(`og:image ${head.ogImage}`);
    const index = name === 'index.html';
    if (head.ogDescription !== head.description || !head.description ||
        (index ? head.description !== form.texts.siteDescription : !head.firstSentence.startsWith(head.description)))
        problems.push(`description "${head.description}" (og:description "${head.ogDescription}")`);
    const article = (() => { try { return JSON.parse(head.jsonLd); } catch { return null; } })();
    if (!index && (article?.['@type'] !== 'Article' || article.description !== head.description || article.image !== (head.ogImage ?? undefined)))
        problems.push(`JSON-LD ${head.jsonLd}`);
    return problems;
}

/** The darkest and the lightest picture of a folder, by mean luminance. */
async function darkestAndLightest(browser, folder) {
    const page = await browser.newPage();
    const ranked = [];
    for (const name of fs.readdirSync(folder).filter(name => /\.jpe?g$/i.test(name))) {
        const image = fs.readFileSync(path.join(folder, name)).toString('base64');
        ranked.push({ name, luminance: await page.evaluate(measurePixels, { image, type: 'image/jpeg' }) });
    }
    await page.close();
    ranked.sort((a, b) => a.luminance - b.luminance);
    return [ranked[0].name, ranked[ranked.length - 1].name];
}

/**
 * WCAG AA contrast (4.5:1, large text 3:1) of the text over the photo against
 * every pixel behind it: a screenshot with all text hidden is measured where
 * the text stands. Leaves the page's text hidden.
 */
async function checkContrastOverPhoto(page) {
    const texts = await page.evaluate(findTextOverPhoto);
    if (!texts.length)
        return [];
    await page.addStyleTag({ content: '*, *::before, *::after { color: transparent !important; text-shadow: none !important; }' });
    await page.evaluate(nextPaint);
    const rects = texts.flatMap(text => text.rects);
    const x = Math.min(...rects.map(r => r.x)), y = Math.min(...rects.map(r => r.y));
    const clip = { x, y, width: Math.max(...rects.map(r => r.x + r.width)) - x, height: Math.max(...rects.map(r => r.y + r.height)) - y };
    const image = (await page.screenshot({ fullPage: true, clip })).toString('base64');
    const lowest = await page.evaluate(measurePixels, { image, type: 'image/png', origin: { x, y }, texts });
    return texts.flatMap((text, i) => {
        const needed = text.large ? 3 : 4.5;
        return lowest[i] < needed ? [`contrast over the photo: ${text.name} ${lowest[i].toFixed(2)}:1, needs ${needed}:1`] : [];
    });
}

async function checkInBrowser(browser, site, pages, label, shots, form) {
    const failures = [];
    // Screenshots of index.html and one article page. The forms that differ
    // from the sample only by their picture open just those two.
    const shown = ['index.html', pages.find(name => name !== 'index.html')];
    const wholePage = form.texts === DEMO && !form.background;
    for (const viewport of form.viewports) {
        const context = await browser.newContext({
            viewport: { width: viewport.width, height: viewport.height },
            deviceScaleFactor: 1,
            isMobile: viewport.phone,
            hasTouch: viewport.phone,
            reducedMotion: 'reduce',
        });
        await context.route(/^https?:/, route => {
            const url = route.request().url();
            if (url.startsWith('https://www.youtube-nocookie.com/embed/'))
                return route.fulfill({ status: 200, contentType: 'text/html', body: PLAYER_STAND_IN });
            return route.abort('blockedbyclient');
        });
        for (const name of form.background ? shown : pages) {
            const where = `${label} ${name} at ${viewport.width}px`;
            const page = await context.newPage();
            const failed = [];
            page.on('requestfailed', request => {
                if (request.url().startsWith('file:'))
                    failed.push(`${request.url()} (${request.failure()?.errorText})`);
            });
            page.on('pageerror', error => failed.push(`script error: ${error.message}`));
            await page.goto(pathToFileURL(path.join(site, name)).href, { waitUntil: 'load', timeout: 20_000 });
            await page.evaluate(() => document.fonts.ready);
            // The player loads lazily: bring it into view so that it shows in the screenshots.
            for (const handle of await page.$$('iframe')) {
                await handle.scrollIntoViewIfNeeded();
                const frame = await handle.contentFrame();
                if (frame) {
                    await frame.waitForURL(/^https?:/, { timeout: 5_000 }).catch(() => {});
                    await frame.waitForLoadState('load', { timeout: 5_000 }).catch(() => {});
                    await frame.evaluate(nextPaint).catch(() => {});
                }
            }
            await page.evaluate(nextPaint);
            // Chromium paints a frame that has been scrolled out of view again only
            // once it comes back: take the whole page while the player is in view.
            const stem = `${label}-${name === 'index.html' ? 'index' : 'article'}-${viewport.name}`;
            if (wholePage && shown.includes(name))
                await page.screenshot({ path: path.join(shots, `${stem}-full.jpg`), type: 'jpeg', quality: 80, fullPage: true });
            await page.evaluate(() => window.scrollTo(0, 0));
            if (shown.includes(name))
                await page.screenshot({ path: path.join(shots, `${stem}.png`) });

            const result = await page.evaluate(expectedWidth => {
                const brokenImages = [...document.images]
                    .filter(img => !img.complete || img.naturalWidth === 0)
                    .map(img => img.getAttribute('src'));
                // Look through any overflow clipping on html and body: content wider
                // than the screen is a fault even where the page hides it.
                const style = document.createElement('style');
                style.textContent = 'html, body { overflow: visible !important; }';
                document.head.append(style);
                const root = document.documentElement;
                const scrollWidth = Math.max(root.scrollWidth, document.body.scrollWidth);
                const tooWide = [];
                for (const element of document.body.querySelectorAll('*')) {
                    const box = element.getBoundingClientRect();
                    if (box.width > 0 && (box.right > expectedWidth + 1 || box.left < -1)) {
                        const tag = element.tagName.toLowerCase() + (element.className && typeof element.className === 'string'
                            ? '.' + element.className.trim().split(/\s+/).join('.') : '');
                        tooWide.push(`${tag} [${Math.round(box.left)}..${Math.round(box.right)}]`);
                    }
                }
                style.remove();
                return { brokenImages, scrollWidth, innerWidth: window.innerWidth, clientWidth: root.clientWidth, tooWide };
            }, viewport.width);

            const problems = [...failed.map(f => `request failed: ${f}`)];
            if (result.brokenImages.length)
                problems.push(`images not shown: ${result.brokenImages.join(', ')}`);
            if (result.scrollWidth > result.clientWidth || result.innerWidth !== viewport.width) {
                problems.push(`scrolls sideways: content ${result.scrollWidth}px wide, window ${result.innerWidth}px` +
                    (result.tooWide.length ? `; too wide: ${result.tooWide.slice(0, 5).join(', ')}` : ''));
            }
            // The player's content is the video service's, not the site's: its frame is left out.
            await page.addScriptTag({ path: AXE });
            const violations = await page.evaluate(() => axe.run(document, { iframes: false, resultTypes: ['violations'] }).then(results =>
                results.violations.map(v => `axe ${v.id} (${v.impact}): ${v.help}: ${v.nodes.slice(0, 3).map(n => n.target.join(' ')).join(', ')}`)));
            problems.push(...violations, ...checkHead(await page.evaluate(readHead), name, form), ...await checkContrastOverPhoto(page));
            failures.push(...problems.map(problem => `${where}: ${problem}`));
            await page.close();
        }
        await context.close();
    }
    return failures;
}

// ---- Planted faults -----------------------------------------------------------------

const CANARY_FAULTS = [
    { name: 'missing image (markup)', pattern: /src="assets\/images\/missing-photo\.jpg" does not resolve to a file/ },
    { name: 'missing image (browser)', pattern: /images not shown: assets\/images\/missing-photo\.jpg/ },
    { name: 'missing style sheet picture', pattern: /url\(\.\.\/images\/missing-texture\.png\) does not resolve/ },
    { name: 'missing style sheet picture (browser)', pattern: /request failed: .*missing-texture\.png/ },
    { name: 'link to a missing page', pattern: /href="no-such-page\.html" does not resolve to a file/ },
    { name: 'dead in-page link', pattern: /href="#nowhere" names no element/ },
    { name: 'unfilled tag', pattern: /unfilled tags #SIDEBAR_NOTE#/ },
    { name: 'element wider than a phone', pattern: /390px: scrolls sideways/ },
    { name: 'invalid HTML', pattern: /html-validate (no-implicit-close|close-order)/ },
    { name: 'content outside any landmark', pattern: /axe region \(moderate\)/ },
    { name: 'dim text over the photo', pattern: /contrast over the photo: p\.hero-lead/ },
    { name: 'invalid sitemap', pattern: /sitemap\.xml: xmllint: .*priority/ },
    { name: 'canonical link without a site address', pattern: /index\.html at 1280px: canonical https:\/\/elsewhere/ },
];

/** Plants the faults above into design 1 of a copied installation folder. */
function plantFaults(home) {
    const index = path.join(home, 'template1', 'index.html');
    const html = fs.readFileSync(index, 'utf8').replace(/^\s*<\/main>/m, `
    <img src="assets/images/missing-photo.jpg" alt="A photo" width="40" height="40">
    <div class="canary-wide">#SIDEBAR_NOTE#</div>
    <p><a href="no-such-page.html">Elsewhere</a> <a href="#nowhere">Up</a></p>
    <p><div>A block inside a paragraph</div></p>
  </main>`).replace('</footer>', '</footer>\n  <p>Outside every landmark</p>')
        .replace('</head>', '  <link rel="canonical" href="https://elsewhere.example/">\n</head>');
    fs.writeFileSync(index, html);
    fs.appendFileSync(path.join(home, 'template1', 'assets', 'css', 'style.css'),
        '\n.canary-wide { width: 480px; background: url("../images/missing-texture.png"); }\n.hero-lead { color: #6a6488; }\n');
    fs.writeFileSync(path.join(home, 'template1', 'sitemap.xml'), '<?xml version="1.0" encoding="UTF-8"?>\n' +
        '<urlset xmlns="http://www.sitemaps.org/schemas/sitemap/0.9"><url><loc>https://example.org/</loc><priority>2.0</priority></url></urlset>\n');
}

/** The forms of the site to build and check; the canary run plants its faults into design 1 only. */
async function siteForms(browser, options) {
    const all = VIEWPORTS, phone = VIEWPORTS.filter(viewport => viewport.phone);
    if (options.canary)
        return [{ label: 'v1-video', variation: '1', withVideo: true, texts: DEMO, viewports: all }];
    const [darkest, lightest] = await darkestAndLightest(browser, path.join(options.app, 'appimages'));
    // The video forms are the demo with a site address; the lightest and darkest
    // forms are built with a description full of markup characters and an address below the host.
    const siteUrl = 'https://example.org/';
    return [{ label: 'v1-video', variation: '1', withVideo: true, texts: DEMO, viewports: all, siteUrl },
        { label: 'v1-novideo', variation: '1', withVideo: false, texts: DEMO, viewports: all },
        { label: 'v2-video', variation: '2', withVideo: true, texts: DEMO, viewports: all, siteUrl },
        { label: 'v2-novideo', variation: '2', withVideo: false, texts: DEMO, viewports: all },
        { label: 'v1-longwords', variation: '1', withVideo: true, texts: LONG, viewports: phone },
        { label: 'v2-longwords', variation: '2', withVideo: true, texts: LONG, viewports: phone },
        ...['1', '2'].flatMap(variation => [['darkest', darkest], ['lightest', lightest]].map(([shade, background]) =>
            ({ label: `v${variation}-${shade}`, variation, withVideo: true, texts: QUOTED, viewports: all, background,
               siteUrl: 'https://example.org/calm/' })))];
}

// ---- Main ------------------------------------------------------------------------------

async function main() {
    const options = parseArguments(process.argv.slice(2));
    const started = Date.now();
    const shots = path.join(options.out, options.canary ? 'canary' : '.');
    const work = path.join(options.out, options.canary ? 'canary-sites' : 'sites');
    fs.rmSync(work, { recursive: true, force: true });
    fs.mkdirSync(shots, { recursive: true });
    for (const old of fs.readdirSync(shots).filter(name => /\.(png|jpg)$/.test(name)))
        fs.rmSync(path.join(shots, old));

    const browser = await chromium.launch({
        executablePath: CHROMIUM,
        headless: true,
        args: CHROMIUM_FLAGS,
        chromiumSandbox: false,
        timeout: 30_000,
    });
    const failures = [];
    let forms = [];
    try {
        forms = await siteForms(browser, options);
        for (const form of forms) {
            const label = form.label;
            // Each form gets its own copy of the installation folder: all builds of
            // a design write to the same output folder.
            const home = path.join(work, label);
            copyInstallation(options.app, home);
            if (options.canary)
                plantFaults(home);
            const site = buildSite(options.app, home, form);
            const { failures: fileFailures, pages } = await checkFiles(site, form);
            failures.push(...fileFailures.map(f => `${label} ${f}`));
            failures.push(...await checkInBrowser(browser, site, pages, label, shots, form));
            console.log(`${label}: ${pages.length} pages checked${form.background ? ` (background ${form.background})` : ''}`);
        }
    } finally {
        await browser.close();
    }

    const seconds = ((Date.now() - started) / 1000).toFixed(1);
    if (options.canary) {
        const missed = CANARY_FAULTS.filter(fault => !failures.some(f => fault.pattern.test(f)));
        for (const f of failures)
            console.log(`  reported: ${f}`);
        if (missed.length) {
            console.error(`FAILED: planted faults not reported: ${missed.map(f => f.name).join(', ')}`);
            process.exit(1);
        }
        console.log(`All ${CANARY_FAULTS.length} planted faults reported (${seconds} s).`);
        return;
    }
    if (failures.length) {
        for (const f of failures)
            console.error(`FAIL ${f}`);
        console.error(`${failures.length} problems; screenshots in ${shots} (${seconds} s)`);
        process.exit(1);
    }
    console.log(`All ${forms.length} site forms pass; screenshots in ${shots} (${seconds} s)`);
}

main().catch(error => {
    console.error(`check-site: ${error.stack || error}`);
    process.exit(1);
});
