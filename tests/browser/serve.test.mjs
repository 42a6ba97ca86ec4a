// The planner's window in headless Chromium: `biwplan serve` on a copy of
// the sample document (its welding activities given their parts, as the
// demo does), driven as a planner clicks. The scenarios run in order on
// the one server and browser; each leaves a screenshot in SHOTS.
//
//   BIWPLAN=... EXAMPLES=... WORK=... [CHROMIUM=/usr/bin/chromium] node --test serve.test.mjs
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import { mkdirSync, rmSync, readFileSync, writeFileSync, copyFileSync } from 'node:fs';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const { BIWPLAN, EXAMPLES, WORK } = process.env;
const SHOTS = join(WORK, 'screenshots');
const doc = join(WORK, 'plant.json');
const original = join(WORK, 'plant-original.json');
let server, url, browser, page;

const biwplan = (...args) => execFileSync(BIWPLAN, args, { cwd: WORK, encoding: 'utf8' });
const shot = (name) => page.screenshot({ path: join(SHOTS, `${name}.png`) });

before(async () => {
  rmSync(WORK, { recursive: true, force: true });
  mkdirSync(SHOTS, { recursive: true });
  biwplan('new', doc, '--sample');
  biwplan('run', doc, join(EXAMPLES, 'demo', '30-create-welding-activities.journal'));
  biwplan('handle', doc, 'process:Process/UnderBody Line/Station 10 Front Floor/Weld front floor',
    ...['FrontFloorPanel.1', 'TunnelReinforcement.1', 'SeatCrossMemberFront.1', 'SeatCrossMemberRear.1']
      .map((part) => `product:UnderBody.1/FrontFloor.1/${part}`));
  copyFileSync(doc, original);
  server = spawn(BIWPLAN, ['serve', doc, '--port', '0'], { cwd: WORK, stdio: ['ignore', 'pipe', 'inherit'] });
  url = await new Promise((resolve, reject) => {
    let out = '';
    server.stdout.on('data', (data) => {
      out += data;
      const found = out.match(/http:\/\/\S+/);
      if (found) resolve(found[0]);
    });
    server.on('exit', (code) => reject(new Error(`biwplan serve ended (${code})`)));
  });
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader'],
  });
  const context = await browser.newContext({ viewport: { width: 1500, height: 900 }, acceptDownloads: true });
  page = await context.newPage();
  page.on('pageerror', (error) => { throw error; });
});

after(async () => {
  await browser?.close();
  server?.kill('SIGTERM');
});

// Starts a command from the palette, and waits for the server's answer: the
// page sends picks only to a command it knows is running.
async function start(className) {
  const answered = await page.evaluate(() => Number(document.body.dataset.events || 0));
  await page.click('#palette-open');
  await page.fill('#palette-filter', className);
  await page.click(`#palette-list li[data-class-name="${className}"]`);
  await page.waitForFunction((before) => Number(document.body.dataset.events || 0) > before, answered);
}
async function closeBoxes() {
  while (await page.locator('#box[open]').count()) await page.click('#box-ok');
}
const treeNode = (tree, path) => page.locator(`#${tree}-tree .node[data-path="${path}"]`);
const widget = (name) => page.locator(`#dialogs [data-widget="${name}"]`);
// How many points of the 3D view have the colour of `label` (an activity's path, or unassigned).
const legend = (label) => page.locator(`#view .legend li[data-label="${label}"]`).evaluate((l) => Number(l.dataset.count));

test('refuses the address without the token and opens the window with it', async () => {
  const bare = url.replace(/\?token=.*/, '');
  const refused = await page.goto(bare);
  assert.equal(refused.status(), 403);
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await treeNode('process', 'Process/UnderBody Line').count(), 1);
  assert.equal(await treeNode('product', 'UnderBody.1/FrontFloor.1').count(), 1);
  // A branch folds and unfolds; the palette lists the module's commands.
  const panel = treeNode('product', 'UnderBody.1/FrontFloor.1/FrontFloorPanel.1');
  await treeNode('product', 'UnderBody.1/FrontFloor.1').locator('.toggle').click();
  assert.equal(await panel.count(), 0);
  await treeNode('product', 'UnderBody.1/FrontFloor.1').locator('.toggle').click();
  assert.equal(await panel.count(), 1);
  await page.click('#palette-open');
  await page.locator('#palette-list li').first().waitFor();
  assert.equal(await page.locator('#palette-list li').count(), 37);
  await page.click('#palette-close');
  await shot('open');
});

test('imports the sample welds chosen in the file chooser of the weld import dialog', async () => {
  await start('ZELVekBIWReadWeldFromFileCmd');
  await widget('ButtonTextId').click();
  await page.waitForSelector('#files[open]');
  await page.locator('#files-list .row', { hasText: 'underbody_welds.txt' }).first().click();
  await page.click('#files-ok');
  await page.waitForFunction(() => /underbody_welds\.txt$/.test(document.querySelector('[data-widget="EditorTextPathId"]')?.value));
  await page.waitForFunction(() => !document.querySelector('#dialogs button[data-kind="OK"]')?.disabled);
  await page.click('#dialogs button[data-kind="OK"]');
  await page.waitForSelector('#box[open]');
  assert.match(await page.textContent('#box-text'), /ManyInstancesForOnePart|instances/i);
  await shot('weld-import');
  await closeBoxes();
  await page.waitForFunction(() => document.querySelectorAll('#fastener-table tbody tr').length === 39);
  // The table filters on any column and sorts by any, a second click reversing.
  await page.fill('#fastener-filter', 'sealant');
  assert.equal(await page.textContent('#fastener-count'), '3 of 39');
  await page.click('#fastener-table th:text-is("Name")');
  assert.equal(await page.locator('#fastener-table tbody tr').first().getAttribute('data-name'), 'S2040, S');
  await page.click('#fastener-table th:text-is("Name")');
  await page.fill('#fastener-filter', '');
  assert.match(await page.textContent('#transcript'), /command ended ZELVekBIWReadWeldFromFileCmd/);
});

test('creates a station and a spot welding activity through the creation dialog', async () => {
  await start('ZELVekBIWCreateStationActivityCmd');
  await treeNode('process', 'Process/UnderBody Line').click();
  await widget('EditorActivityName').fill('Station 40 Respot');
  await widget('EditorActivityName').press('Tab');
  // The dialog's title from its catalogue, and only the buttons it has.
  assert.equal(await page.textContent('#dialogs .window .title'), 'Create BIW Activity');
  assert.deepEqual(await page.locator('#dialogs .window .buttons button').evaluateAll((bs) => bs.map((b) => b.dataset.kind)),
    ['OK', 'Cancel']);
  await shot('creation-dialog');
  await page.click('#dialogs button[data-kind="OK"]');
  await treeNode('process', 'Process/UnderBody Line/Station 40 Respot').waitFor();

  await start('ZELVekBIWCreateACTWeldingActivityCmd');
  await treeNode('process', 'Process/UnderBody Line/Station 40 Respot').click();
  await widget('EditorActivityName').fill('Respot welds');
  await widget('EditorActivityName').press('Tab');
  await page.click('#dialogs button[data-kind="OK"]');
  await treeNode('process', 'Process/UnderBody Line/Station 40 Respot/Respot welds').waitFor();
  await shot('activities-created');
});

test('assigns welds to products picked in the tree, and the rest automatically', async () => {
  const colour = (name) => page.locator(`#fastener-table tr[data-name="${name}"] .swatch`).evaluate((e) => e.style.background);
  // A weld's swatch changes once its assignment reaches the page.
  const recoloured = (name, from) => page.waitForFunction(([name, from]) =>
    document.querySelector(`#fastener-table tr[data-name="${name}"] .swatch`)?.style.background !== from, [name, from]);
  const red = await colour('W2029, A');
  // The preview: products picked in the product tree, then the activity.
  await start('ZELVekPreviewWindowManagerCmd');
  // The first product picked alone, the others added with the extend modifier.
  for (const [i, product] of ['UnderBody.1/FrontFloor.1/FrontFloorPanel.1', 'UnderBody.1/RockerLeft.1', 'UnderBody.1/RockerRight.1'].entries())
    await treeNode('product', product).click({ modifiers: i ? ['Control'] : [] });
  assert.equal(await page.locator('#product-tree .node.selected').count(), 3);
  await treeNode('process', 'Process/UnderBody Line/Station 40 Respot/Respot welds').click();
  const rows = widget('pWeldsMultiList').locator('tr', { hasText: 'W2029, A' });
  await rows.first().click();
  await widget('pAssignPushButton').click();
  // The weld takes its activity's colour while the preview still runs.
  await recoloured('W2029, A', red);
  await page.click('#dialogs .window[data-name="ZELVekPreviewWindowManagerDlg"] button[data-kind="Close"]');
  await closeBoxes();
  await page.waitForFunction(() => !document.querySelector('#dialogs .window[data-name="ZELVekPreviewWindowManagerDlg"]'));

  // The automatic assignment, started on the line selected in the tree.
  const before = await colour('W2001, A');
  const unassigned = await legend('unassigned');
  const points = () => page.locator('#view .legend li').evaluateAll((ls) => ls.reduce((sum, l) => sum + Number(l.dataset.count), 0));
  const drawn = await points();
  await treeNode('process', 'Process/UnderBody Line').click();
  await start('ZELVekBIWAutoAssignWeldCmd');
  const table = '#dialogs .window[data-name="ZELVekBIWAutoAssignWeldDlg"]';
  await page.waitForSelector(table);
  await page.click(`${table} button[data-kind="OK"]`);
  await closeBoxes();
  await page.waitForFunction((table) => !document.querySelector(table), table);
  await recoloured('W2001, A', before);
  // The 3D view recoloured the same points: fewer red, as many in all.
  assert.ok(await legend('unassigned') < unassigned, 'the 3D view kept its red points');
  assert.equal(await points(), drawn);
  await shot('assigned');
});

test('a weld picked in the 3D view reaches the manual assignment, whose tabs switch', async () => {
  await start('ZELVekBIWAssignWeldCmd');
  const dialog = '#dialogs .window[data-name="AssignWeldDlg"]';
  await page.waitForSelector(dialog);
  const answered = Number(await page.evaluate(() => document.body.dataset.events));
  const at = await page.evaluate(() => document.querySelector('#view').bodyView.screenPoint('fastener:W2010, B'));
  await page.mouse.click(at[0], at[1]);
  await page.waitForFunction((answered) => Number(document.body.dataset.events) > answered, answered);
  assert.equal(await page.locator('#fastener-table tr.selected').getAttribute('data-name'), 'W2010, B');
  assert.ok(await page.locator('#error').isHidden(), 'the command refused the pick');
  await page.click(`${dialog} .tabs button:text-is("Accountability")`);
  await page.waitForFunction((dialog) => document.querySelector(`${dialog} .tabs .selected`)?.textContent === 'Accountability', dialog);
  assert.equal(await page.locator(`${dialog} [data-widget="MultiListWeldAccountId"]`).count(), 1);
  await shot('assign-accountability');
  await page.click(`${dialog} button[data-kind="Cancel"]`);
  await page.waitForFunction((dialog) => !document.querySelector(dialog), dialog);
});

test('asks before a property window throws typed values away, and keeps them on Cancel', async () => {
  const window = '#dialogs .window[data-name="QIVPropertyWindow"]';
  await treeNode('process', 'Process/UnderBody Line/Station 10 Front Floor').dblclick();
  await page.waitForSelector(window);
  assert.match(await page.textContent(window), /Product exit rate/);
  await widget('ProductExitRateEditorName').fill('42');
  await widget('ProductExitRateEditorName').press('Tab');
  await page.click(`${window} button[data-kind="Close"]`);
  await page.waitForSelector('#box[open] button[data-answer="Cancel"]');
  assert.match(await page.textContent('#box-text'), /not applied/);
  await shot('question');
  await page.click('#box button[data-answer="Cancel"]');
  await page.waitForFunction(() => /-> Cancel/.test(document.querySelector('#transcript').textContent));
  assert.equal(await widget('ProductExitRateEditorName').inputValue(), '42');
  await page.click(`${window} button[data-kind="OK"]`);
  await page.waitForFunction((window) => !document.querySelector(window), window);
  assert.match(await page.textContent('#transcript'), /activity modified "Station 10 Front Floor"/);
});

test('saves, and the downloaded journal replays to the same document', async () => {
  await page.click('#save');
  await page.waitForFunction(() => /saved /.test(document.querySelector('#transcript').textContent));
  const saved = readFileSync(doc);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#journal')]);
  const journal = join(WORK, 'session.journal');
  await download.saveAs(journal);
  await shot('saved');
  await browser.close();
  browser = null;
  server.kill('SIGTERM');
  await new Promise((resolve) => server.on('exit', resolve));
  server = null;
  copyFileSync(original, doc);
  biwplan('run', doc, journal);
  assert.ok(readFileSync(doc).equals(saved), 'the replayed document differs from the saved one');
  writeFileSync(join(SHOTS, 'session.journal'), readFileSync(journal));
});
