// The map page in a real browser (the system's chromium, headless) against
// `korvane-cli serve-map`: each script function's effect on the markers and
// the line, the loading message, the click that reaches the viewer, and the
// route on a plain background when no tile loads.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert");
const { spawn } = require("node:child_process");
const readline = require("node:readline");
const path = require("node:path");
const zlib = require("node:zlib");
const { chromium } = require("playwright-core");

const cli = process.env.KORVANE_CLI;
const outputFolder = process.env.KORVANE_MAP_TEST_OUT || __dirname;
const firstPort = 30000 + (process.pid % 3000) * 10;
const browserFlags = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
  "--disable-component-update", "--disable-sync",
];

let server, serverLines, port, browser;

// One plain 256 x 256 tile, so the online runs need no network.
function plainTile() {
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  const crc = (bytes) => {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  };
  const chunk = (type, data) => {
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const body = Buffer.concat([Buffer.from(type), data]);
    const sum = Buffer.alloc(4);
    sum.writeUInt32BE(crc(body));
    return Buffer.concat([length, body, sum]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(256, 0);
  header.writeUInt32BE(256, 4);
  header[8] = 8;
  header[9] = 2;
  const row = Buffer.concat([Buffer.from([0]), Buffer.alloc(256 * 3, 0xc8)]);
  const pixels = zlib.deflateSync(Buffer.concat(Array(256).fill(row)));
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk("IHDR", header),
                        chunk("IDAT", pixels), chunk("IEND", Buffer.alloc(0))]);
}
const tile = plainTile();

function nextLine(timeoutMs = 5000) {
  return new Promise((resolve) => {
    if (serverLines.queue.length) return resolve(serverLines.queue.shift());
    const timer = setTimeout(() => { serverLines.waiting = null; resolve(null); }, timeoutMs);
    serverLines.waiting = (line) => { clearTimeout(timer); resolve(line); };
  });
}

before(async () => {
  assert.ok(cli, "KORVANE_CLI names korvane-cli");
  server = spawn(cli, ["serve-map", "--port", String(firstPort)], { stdio: ["ignore", "pipe", "inherit"] });
  serverLines = { queue: [], waiting: null };
  readline.createInterface({ input: server.stdout }).on("line", (line) => {
    if (serverLines.waiting) {
      const deliver = serverLines.waiting;
      serverLines.waiting = null;
      deliver(line);
    } else {
      serverLines.queue.push(line);
    }
  });
  const first = await nextLine(10000);
  const match = /^Port : (\d+)$/.exec(first || "");
  assert.ok(match, `first line "${first}"`);
  port = Number(match[1]);
  assert.ok(port >= firstPort && port < firstPort + 10);
  browser = await chromium.launch({ executablePath: "/usr/bin/chromium", headless: true, args: browserFlags });
});

after(async () => {
  if (browser) await browser.close();
  if (server) server.kill("SIGTERM");
});

// A fresh page, its tiles answered by the plain tile or failing; every
// address it asks for is kept.
async function openMap({ tilesFail = false } = {}) {
  const context = await browser.newContext({ viewport: { width: 640, height: 480 } });
  const page = await context.newPage();
  const requested = [];
  page.on("request", (request) => requested.push(request.url()));
  await page.route((url) => url.hostname !== "localhost", (route) =>
    tilesFail ? route.abort("internetdisconnected") : route.fulfill({ contentType: "image/png", body: tile }));
  await page.goto(`http://localhost:${port}/`);
  await page.evaluate(() => initialize("/opt/korvane/bin"));
  return { page, context, requested };
}

const call = (page, name, ...args) => page.evaluate(([n, a]) => window[n](...a), [name, args]);
const count = (page, selector) => page.locator(selector).count();
const cameraMarkers = 'img.leaflet-marker-icon[src$="/lib/camera.png"]';
const nodeMarkers = 'img.leaflet-marker-icon[src$="/lib/node.png"]';
const arrowMarker = 'img.leaflet-marker-icon[src$="/lib/arrow.png"]';
const routeLine = "path.leaflet-interactive, svg path";

// As the viewer sends a recording's route: the markers are sent again after
// the clear, which takes them away with the route.
async function drawSampleRoute(page) {
  await call(page, "addRoute", "35.172222", "136.883333", "0", "12", "2");
  await call(page, "clearRoute");
  await call(page, "addRoute", "35.172222", "136.883333", "0", "12", "2");
  await call(page, "addRoute", "35.175000", "136.889000", "1", "40", "2");
  for (const [lat, lng, frame] of [["35.170000", "136.880000", "0"], ["35.172222", "136.883333", "30"],
                                   ["35.174000", "136.887000", "60"], ["35.175000", "136.889000", "90"]]) {
    await call(page, "addSingleRoute", lat, lng, "1", frame, "2");
  }
  await call(page, "drawRoute", "1");
  await call(page, "doMoveCenter", "35.172222", "136.883333", "1", "30");
}

test("the page and its library come from the local server only", async () => {
  const { page, context, requested } = await openMap();
  assert.strictEqual(await page.evaluate(() => typeof L), "object");
  const foreign = requested.filter((u) => !u.startsWith(`http://localhost:${port}/`));
  assert.ok(foreign.every((u) => u.startsWith("https://tile.openstreetmap.org/")), foreign.join("\n"));
  assert.ok(foreign.length > 0, "tiles are asked for");
  const credit = await page.locator(".leaflet-control-attribution").innerText();
  assert.match(credit, /OpenStreetMap/);
  await context.close();
});

test("initialize shows the loading message in its exact look, centred", async () => {
  const { page, context } = await openMap();
  const message = page.locator("#loadingMessage");
  // Placed in the map within one 300 ms period.
  await page.waitForTimeout(400);
  assert.strictEqual(await message.isVisible(), true);
  assert.strictEqual(await message.innerText(), "Loading ...");
  const style = await message.evaluate((e) => {
    const s = getComputedStyle(e);
    return { position: s.position, width: s.width, textAlign: s.textAlign, padding: s.paddingTop,
             border: `${s.borderTopWidth} ${s.borderTopStyle} ${s.borderTopColor}`, background: s.backgroundColor,
             color: s.color, font: `${s.fontWeight} ${s.fontSize} ${s.fontFamily}`, opacity: s.opacity,
             left: e.offsetLeft, top: e.offsetTop, outerWidth: e.offsetWidth, outerHeight: e.offsetHeight };
  });
  assert.deepStrictEqual(
    { ...style, left: undefined, top: undefined, outerWidth: undefined, outerHeight: undefined },
    { position: "absolute", width: "170px", textAlign: "center", padding: "10px", border: "5px solid rgb(41, 11, 139)",
      background: "rgb(63, 6, 250)", color: "rgb(238, 238, 238)", font: "700 20px Verdana", opacity: "0.7",
      left: undefined, top: undefined, outerWidth: undefined, outerHeight: undefined });
  assert.ok(Math.abs(style.left - (640 - style.outerWidth) / 2) <= 1, `left ${style.left}`);
  assert.ok(Math.abs(style.top - (480 - style.outerHeight) / 2) <= 1, `top ${style.top}`);

  // Re-placed with the window within one 300 ms period.
  await page.setViewportSize({ width: 800, height: 600 });
  await page.waitForTimeout(400);
  assert.ok(Math.abs((await message.evaluate((e) => e.offsetLeft)) - (800 - style.outerWidth) / 2) <= 1);

  // noData ends the loading state; the message goes at the next re-placement.
  await call(page, "noData");
  await page.waitForTimeout(400);
  assert.strictEqual(await message.isVisible(), false);
  await context.close();
});

test("each script function changes the markers and the line", async () => {
  const { page, context } = await openMap();
  await call(page, "addRoute", "35.172222", "136.883333", "0", "12", "2");
  await call(page, "addRoute", "35.175000", "136.889000", "1", "40", "2");
  assert.strictEqual(await count(page, cameraMarkers), 2);
  const camera = await page.locator(cameraMarkers).first().evaluate((e) => [e.width, e.height, e.style.marginLeft, e.style.marginTop]);
  assert.deepStrictEqual(camera, [19, 15, "-9px", "-7px"]);

  for (const [lat, lng, frame] of [["35.1700", "136.8800", "0"], ["35.1730", "136.8850", "30"],
                                   ["35.1710", "136.8900", "60"]]) {
    await call(page, "addSingleRoute", lat, lng, "1", frame, "2");
  }
  assert.strictEqual(await count(page, nodeMarkers), 3);
  const node = await page.locator(nodeMarkers).first().evaluate((e) => [e.width, e.height, e.style.marginLeft, e.style.marginTop]);
  assert.deepStrictEqual(node, [7, 7, "-3px", "-3px"]);
  assert.strictEqual(await count(page, routeLine), 0);

  await call(page, "drawRoute", "1");
  const line = page.locator(routeLine);
  assert.strictEqual(await line.count(), 1);
  assert.deepStrictEqual(
    await line.evaluate((e) => [e.getAttribute("stroke"), e.getAttribute("stroke-opacity"), e.getAttribute("stroke-width")]),
    ["#ff0000", "0.5", "4"]);
  assert.strictEqual(await page.evaluate(() => routeLine.getLatLngs().length), 3, "three points on the line");

  await call(page, "doMoveCenter", "35.173000", "136.885000", "1", "30");
  assert.strictEqual(await count(page, arrowMarker), 1);
  const arrow = await page.locator(arrowMarker).evaluate((e) => [e.width, e.height, e.style.marginLeft, e.style.marginTop]);
  assert.deepStrictEqual(arrow, [18, 25, "-7px", "-27px"]);
  // The pan is animated; it ends on the point.
  await page.waitForFunction(() => {
    const c = map.getCenter();
    return Math.abs(c.lat - 35.173) < 1e-5 && Math.abs(c.lng - 136.885) < 1e-5;
  }, null, { timeout: 3000 });
  await call(page, "doMoveCenter", "35.175000", "136.889000", "1", "60");
  assert.strictEqual(await count(page, arrowMarker), 1, "one arrow, moved");

  // Route, nodes and markers go together.
  await call(page, "clearRoute");
  assert.strictEqual(await count(page, routeLine), 0);
  assert.strictEqual(await count(page, nodeMarkers), 0);
  assert.strictEqual(await count(page, cameraMarkers), 0);
  assert.strictEqual(await page.locator("#loadingMessage").isVisible(), true);
  await call(page, "addSingleRoute", "35.1", "136.8", "0", "0", "2");
  await call(page, "addSingleRoute", "35.2", "136.9", "0", "5", "2");
  await call(page, "drawRoute", "0");
  assert.strictEqual(await page.evaluate(() => routeLine.getLatLngs().length), 2, "the counter restarted");
  await context.close();
});

test("a marker click reaches the viewer, but not while the page is loading", async () => {
  const { page, context } = await openMap();
  await drawSampleRoute(page);
  await page.waitForTimeout(400);
  assert.strictEqual(await page.locator("#loadingMessage").isVisible(), false);

  await page.locator(cameraMarkers).nth(1).click();
  assert.strictEqual(await nextLine(), "goto 1 40");
  await page.waitForTimeout(100);
  assert.strictEqual(await page.locator("#loadingMessage").isVisible(), true);

  // Still loading: this click sends nothing.
  await page.locator(cameraMarkers).nth(1).click();
  assert.strictEqual(await nextLine(700), null);

  await call(page, "noData");
  await page.locator(nodeMarkers).nth(2).click();
  assert.strictEqual(await nextLine(), "goto 1 60");
  await context.close();
});

test("without tiles the route, the markers and the arrow still show", async () => {
  const { page, context } = await openMap({ tilesFail: true });
  await drawSampleRoute(page);
  await call(page, "noData");
  await page.waitForTimeout(400);
  assert.strictEqual(await count(page, routeLine), 1);
  assert.strictEqual(await count(page, cameraMarkers), 2);
  assert.strictEqual(await count(page, nodeMarkers), 4);
  assert.strictEqual(await count(page, arrowMarker), 1);
  for (const selector of [cameraMarkers, nodeMarkers, arrowMarker]) {
    const loaded = await page.locator(selector).first().evaluate((e) => e.complete && e.naturalWidth > 0);
    assert.ok(loaded, `${selector} loaded`);
  }
  const background = await page.locator("#map_canvas").evaluate((e) => getComputedStyle(e).backgroundColor);
  assert.notStrictEqual(background, "rgba(0, 0, 0, 0)");
  await page.screenshot({ path: path.join(outputFolder, "map-route-offline.png") });
  await context.close();
});

// As the viewer sends a loaded run coloured by speed: the legend, the route
// in two pieces with a break before the last two points, one hard moment.
const speedLegend = JSON.stringify({ unit: "km/h", bands: [
  { colour: "#3b6fd8", range: "0 - 20" }, { colour: "#1fb0b5", range: "20 - 50" },
  { colour: "#4cb83a", range: "50 - 80" }, { colour: "#f0a020", range: "80 - 110" },
  { colour: "#e0301e", range: "110+" }] });
// lat, lng, band, speed, recording, frame, seconds, breaks
const speedPoints = [
  ["35.170000", "136.879000", 0, 12, 0, 0, 1718357400, 0], ["35.170800", "136.880000", 0, 18, 0, 5, 1718357401, 0],
  ["35.171600", "136.881000", 1, 35, 0, 10, 1718357402, 0], ["35.172400", "136.882000", 2, 62, 1, 0, 1718357403, 0],
  ["35.173200", "136.883000", 2, 75, 1, 5, 1718357404, 0], ["35.174000", "136.884000", 4, 118, 1, 10, 1718357405, 0],
  ["35.171000", "136.887000", 3, 90, 2, 0, 1718357700, 1], ["35.172000", "136.888000", 3, 95, 2, 5, 1718357701, 0]];
const pieceOf = (points) => points.map((p) => p.join(",")).join(";");

async function drawSpeedSample(page) {
  await call(page, "beginSpeedRoute", speedLegend);
  await call(page, "addSpeedRoute", pieceOf(speedPoints.slice(0, 3)));
  await call(page, "addSpeedRoute", pieceOf(speedPoints.slice(3)));
  await call(page, "drawSpeedRoute");
  await call(page, "addHardMoment", "35.172400", "136.882000", "1", "0", "braking", "0.612", "1718357403");
}

async function pointOnScreen(page, lat, lng) {
  return page.evaluate(([a, b]) => {
    const p = map.latLngToContainerPoint([a, b]);
    return { x: p.x, y: p.y };
  }, [Number(lat), Number(lng)]);
}

test("the speed route: a line per run of one band, its legend, the hard marks, beside the recording's route", async () => {
  const { page, context } = await openMap();
  await drawSampleRoute(page);
  await drawSpeedSample(page);
  // Runs: blue 0-1, teal 1-2, green 2-4, red 4-5; after the break orange 6-7.
  const runs = await page.locator("path.speedRoute").evaluateAll((paths) => paths.map((e) => e.getAttribute("stroke")));
  assert.deepStrictEqual(runs, ["#3b6fd8", "#1fb0b5", "#4cb83a", "#e0301e", "#f0a020"]);
  assert.strictEqual(await count(page, "path.speedRouteHit"), 2, "one click line per unbroken part");
  assert.strictEqual(await count(page, "path.hardMoment"), 1);
  const legend = page.locator(".speedLegend");
  assert.strictEqual(await legend.locator("div").count(), 5);
  assert.match(await legend.innerText(), /^km\/h\n/);
  assert.match(await legend.innerText(), /110\+/);

  // The recording's route functions keep their effects: the clear takes its own route,
  // nodes and markers, and leaves the speed route.
  await call(page, "clearRoute");
  assert.strictEqual(await count(page, nodeMarkers), 0);
  assert.strictEqual(await count(page, cameraMarkers), 0);
  assert.strictEqual(await count(page, "path.speedRoute"), 5);

  // A second run replaces the first; clearSpeedRoute takes all of it.
  await drawSpeedSample(page);
  assert.strictEqual(await count(page, "path.speedRoute"), 5);
  assert.strictEqual(await count(page, ".speedLegend"), 1);
  await call(page, "clearSpeedRoute");
  assert.strictEqual(await count(page, "path.speedRoute"), 0);
  assert.strictEqual(await count(page, "path.hardMoment"), 0);
  assert.strictEqual(await count(page, ".speedLegend"), 0);
  await context.close();
});

test("a click on the speed route seeks to the nearest point; hovering tells its time and speed", async () => {
  const { page, context } = await openMap({ tilesFail: true });
  await drawSpeedSample(page);
  await call(page, "noData");
  await page.waitForTimeout(400);

  // Between points 4 and 5, nearer 4 (recording 1, frame 5).
  const a = await pointOnScreen(page, "35.173200", "136.883000");
  const b = await pointOnScreen(page, "35.174000", "136.884000");
  const near = { x: a.x + (b.x - a.x) * 0.3, y: a.y + (b.y - a.y) * 0.3 };
  await page.mouse.move(near.x, near.y);
  await page.waitForTimeout(100);
  const local = await page.evaluate(() => new Date(1718357404000).toTimeString().slice(0, 8));
  assert.strictEqual(await page.locator(".speedTip").textContent(), `${local}  75 km/h`);
  await page.screenshot({ path: path.join(outputFolder, "map-speed-route.png") });
  await page.mouse.click(near.x, near.y);
  assert.strictEqual(await nextLine(), "goto 1 5");

  // The hard moment's mark goes to its own frame, once the loading message
  // that stood over it is gone.
  await call(page, "noData");
  await page.waitForTimeout(400);
  const mark = await pointOnScreen(page, "35.172400", "136.882000");
  await page.mouse.click(mark.x, mark.y);
  assert.strictEqual(await nextLine(), "goto 1 0");
  await context.close();
});
