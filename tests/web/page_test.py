#!/usr/bin/python3
"""The page tagora.html in Debian's headless Chromium, driven through
chromedriver, opened from its file:
  - window.tagora makes tagora-convert's bytes for every case;
  - typing, switching the target, Copy, Copy as Literal, a bare literal
    read back, Download, opening a Windows-1252
    file, an error's place, a keyboard-only walk, every control named;
  - a console free of errors, text and several files dropped, the header
    and name options, a leading U+FEFF, the character codes kept out of
    the script, Script to HTML's input first, a file too large to show
    converted and a script longer than a string downloaded whole;
  - a key in a 1 MB page within 50 ms; Wrap Lines and search;
  - a 50 MB file opened, converted (once cancelled) and downloaded, no
    task of the page's thread over 100 ms; axe-core's violations in the
    main states, none;
  - screenshots at 360 and 1280 px, light and dark, with no sideways
    scrolling.
tagora-convert is the judge throughout.
  page_test.py WEB_BUILD_DIR CASES_DIR TAGORA_CONVERT SCREENSHOT_DIR [TEST...]
"""
import hashlib
import json
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

WEB_BUILD, CASES, CLI, SHOTS = (pathlib.Path(arg) for arg in sys.argv[1:5])
PAGE = (WEB_BUILD / 'tagora.html').resolve().as_uri()
DOWNLOADS = pathlib.Path(tempfile.mkdtemp(prefix='tagora-downloads-'))
# axe-core, as tests/web/tools/package-lock.json pins it (scripts/install-deps.sh test).
AXE = (pathlib.Path(__file__).parent / 'tools/node_modules/axe-core/axe.min.js').read_text()


def cli(data, *args):
    """tagora-convert's output for the bytes."""
    return subprocess.run([str(CLI), *args], input=data, capture_output=True, check=True).stdout


def median(times):
    return sorted(times)[len(times) // 2]


def as_box_holds(script):
    """A box's value has LF line breaks."""
    return script.decode('utf-8').replace('\r\n', '\n')


def machine_load():
    """What else the machine was doing, for a timing's failure message."""
    return 'load average {:.1f} {:.1f} {:.1f} on {} processors'.format(*os.getloadavg(), os.cpu_count())


def start_chromium():
    options = Options()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                     '--window-size=1280,900', '--lang=en-US'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'performance': 'ALL', 'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': str(DOWNLOADS)})
    driver.execute_cdp_cmd('Browser.grantPermissions',
                           {'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
    return driver


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = start_chromium()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def open_page(self):
        self.driver.get(PAGE)
        self.driver.execute_script('localStorage.clear()')
        self.driver.get(PAGE)
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script('return document.documentElement.dataset.ready === "true"'))

    def box(self, name):
        return self.driver.find_element(By.ID, name)

    def value(self, name):
        return self.driver.execute_script('return document.getElementById(arguments[0]).value', name)

    def clear(self, name):
        """A box emptied as a user does: select all, delete."""
        self.box(name).click()
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys('a').key_up(Keys.CONTROL) \
            .send_keys(Keys.DELETE).perform()
        self.wait_for(lambda: self.value(name) == '', f'the {name} box was not emptied')

    def classes_of_box(self, name):
        return self.driver.execute_script(
            'return document.getElementById(arguments[0]).closest(".cm-editor").className', name)

    def wait_for(self, condition, message, seconds=10):
        try:
            WebDriverWait(self.driver, seconds, 0.05).until(lambda d: condition())
        except Exception as error:
            self.fail(f'{message} (after {seconds} s: {type(error).__name__}; {machine_load()})')

    def notice(self):
        return self.box('notice').text

    def test_same_bytes_as_tagora_convert(self):
        """Every case's script and reading back, made by window.tagora."""
        self.open_page()
        cases = json.loads((CASES / 'cases.json').read_text())
        texts = [pathlib.Path(f).read_bytes().decode('utf-8') for f in cases['inputs']]
        self.driver.execute_script('window.cases = arguments[0]', texts)
        self.driver.set_script_timeout(120)
        digest = '''
            const hex = async (text) => Array.from(new Uint8Array(await crypto.subtle.digest(
                'SHA-256', new TextEncoder().encode(text))), (b) => b.toString(16).padStart(2, '0')).join('');
        '''
        for variant, read_back in zip(cases['scripts'], cases['readBack']):
            got = self.driver.execute_async_script(digest + '''
                const [to, classic, done] = arguments;
                (async () => {
                  const scripts = [], htmls = [];
                  for (const text of window.cases) {
                    const script = await tagora.convert(text, {to, classic});
                    scripts.push(await hex(script));
                        try { htmls.push(await hex(await tagora.toHtml(script))); } catch (e) { htmls.push([e.line, e.column, e.error]); }
                  }
                  return {scripts, htmls};
                })().then(done, (e) => done({error: String(e)}));''', variant['to'], variant['classic'])
            self.assertNotIn('error', got)
            for i, output in enumerate(variant['outputs']):
                expected = hashlib.sha256(pathlib.Path(output).read_bytes()).hexdigest()
                self.assertEqual(got['scripts'][i], expected, f"{read_back['name']}: {cases['inputs'][i]}")
                self.assertEqual(got['htmls'][i], self.read_back_judgement(read_back, i),
                                 f"{read_back['name']} read back: {cases['inputs'][i]}")
        for variant in cases['literals']:
            got = self.driver.execute_async_script(digest + '''
                const [to, done] = arguments;
                (async () => {
                  const literals = [], texts = [];
                  for (const text of window.cases) {
                    const literal = await tagora.literal(text, {to});
                    literals.push(await hex(literal));
                    try { texts.push(await hex(await tagora.fromLiteral(literal))); } catch (e) { texts.push([e.line, e.column, e.error]); }
                  }
                  return {literals, texts};
                })().then(done, (e) => done({error: String(e)}));''', variant['to'])
            self.assertNotIn('error', got)
            for i, output in enumerate(variant['outputs']):
                expected = hashlib.sha256(pathlib.Path(output).read_bytes()).hexdigest()
                self.assertEqual(got['literals'][i], expected, f"{variant['to']} literal: {cases['inputs'][i]}")
                judged = {'scripts': variant['outputs'], 'htmls': variant['texts'], 'errors': variant['errors']}
                self.assertEqual(got['texts'][i], self.read_back_judgement(judged, i),
                                 f"{variant['to']} literal read back: {cases['inputs'][i]}")
        templates = cases['readBack'][-1]
        scripts = [pathlib.Path(f).read_bytes().decode('utf-8') for f in templates['scripts']]
        got = self.driver.execute_async_script(digest + '''
            const [scripts, done] = arguments;
            (async () => {
              const out = [];
              for (const script of scripts) {
                try { out.push(await hex(await tagora.toHtml(script))); }
                catch (e) { out.push([e.line, e.column, e.error]); }
              }
              return out;
            })().then(done);''', scripts)
        for i, result in enumerate(got):
            self.assertEqual(result, self.read_back_judgement(templates, i), templates['scripts'][i])

    @staticmethod
    def read_back_judgement(read_back, i):
        """The digest of tagora-convert's HTML, or its error's place."""
        error = read_back['errors'].get(pathlib.Path(read_back['scripts'][i]).name)
        if error:
            return [error['line'], error['column'], error['error']]
        return hashlib.sha256(pathlib.Path(read_back['htmls'][i]).read_bytes()).hexdigest()

    def test_offline_and_ready(self):
        """No request but the page itself; a policy that forbids any."""
        self.driver.get_log('performance')
        self.open_page()
        requests = [json.loads(entry['message'])['message'] for entry in self.driver.get_log('performance')]
        urls = {r['params']['request']['url'] for r in requests if r['method'] == 'Network.requestWillBeSent'}
        # The engine's worker starts from a blob: URL the page made of its own text.
        self.assertEqual({url for url in urls if not url.startswith('blob:null/')}, {PAGE})
        policy = self.driver.execute_script(
            'return document.querySelector("meta[http-equiv=Content-Security-Policy]").content')
        self.assertIn("default-src 'none'", policy)

    def test_typing_switching_copy_download(self):
        self.open_page()
        typed = '<p title="a">$5 & {x}</p>\n<br>\u00E9 %>'
        self.box('html').send_keys(typed)
        php = cli(typed.encode(), '--to=php')
        self.wait_for(lambda: self.value('script') == as_box_holds(php), 'typing did not give the PHP script')
        Select(self.box('target')).select_by_value('asp')
        asp = cli(typed.encode(), '--to=asp')
        self.wait_for(lambda: self.value('script') == as_box_holds(asp), 'switching did not reconvert')
        self.assertEqual(self.driver.find_element(By.ID, 'script-caption').text, 'ASP Script')

        self.box('copy').click()
        self.wait_for(lambda: 'copied' in self.notice(), 'Copy gave no notice')
        clipboard = self.driver.execute_async_script(
            'navigator.clipboard.readText().then(arguments[0], (e) => arguments[0]("refused: " + e))')
        self.assertEqual(clipboard.encode(), asp)

        self.box('download').click()
        saved = DOWNLOADS / 'script.asp'
        self.wait_for(saved.exists, 'Download saved no script.asp')
        time.sleep(0.3)
        self.assertEqual(saved.read_bytes(), asp)

        self.driver.refresh()
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script('return document.documentElement.dataset.ready === "true"'))
        self.assertEqual(Select(self.box('target')).first_selected_option.get_attribute('value'), 'asp',
                         'the target was not remembered')

    def test_copy_as_literal_and_reading_a_bare_literal(self):
        """The HTML box's text as the target's literal, each line break as the
        target's scripts print it (CR LF in ASP and the nowdoc); a bare
        literal in Script to HTML read back as tagora-convert --unescape reads it."""
        self.open_page()
        typed = '<p title="a">$5 & {x}</p>\n<br>\u00E9 `${y}` %>\n'
        self.box('html').send_keys(typed)
        for to, line_break in (('php', '\n'), ('asp', '\r\n'), ('js', '\n'), ('php-nowdoc', '\r\n'), ('python', '\n')):
            Select(self.box('target')).select_by_value(to)
            self.driver.execute_script('navigator.clipboard.writeText("")')
            self.box('copy-literal').click()
            self.wait_for(lambda: 'literal has been copied' in self.notice(), f'{to}: Copy as Literal gave no notice')
            clipboard = self.driver.execute_async_script(
                'navigator.clipboard.readText().then(arguments[0], (e) => arguments[0]("refused: " + e))')
            self.assertEqual(clipboard.encode(), cli(typed.replace('\n', line_break).encode(), f'--to={to}', '--literal'), to)
        literal = cli(typed.encode(), '--to=js-concat', '--literal')
        Select(self.box('target')).select_by_value('html')
        self.assertFalse(self.box('copy-literal').is_enabled(), 'Copy as Literal in Script to HTML')
        self.clear('script')
        self.box('script').send_keys(literal.decode())
        self.box('convert').click()
        text = cli(literal, '--unescape')
        self.wait_for(lambda: self.value('html') == as_box_holds(text), 'the bare literal was not read back')
        self.clear('script')
        self.box('script').send_keys('"never closed')
        self.box('convert').click()
        complaint = subprocess.run([str(CLI), '--unescape'], input=b'"never closed', capture_output=True).stderr.decode()
        line, column = (int(n) for n in complaint.split(':')[2:4])
        self.wait_for(lambda: f'Line {line}, column {column}' in self.box('error').text, 'no error of the literal')

    def test_opening_a_windows_1252_file(self):
        self.open_page()
        page = 'caf\u00E9 \u20AC \u201Cquoted\u201D\r\n<p>na\u00EFve</p>'.encode('cp1252')
        path = DOWNLOADS / 'old-page.htm'
        path.write_bytes(page)
        self.driver.execute_script('document.getElementById("file").hidden = false')
        self.box('file').send_keys(str(path))
        self.wait_for(lambda: 'Windows-1252' in self.notice(), 'no notice of the encoding assumed')
        self.assertIn('"old-page.htm" is not UTF-8', self.notice())
        self.assertEqual(self.value('html'), page.decode('cp1252').replace('\r\n', '\n'))
        script = cli(page, '--encoding=auto', '--to=php')
        self.wait_for(lambda: self.value('script') == as_box_holds(script), 'the opened page was not converted')
        self.box('download').click()
        saved = DOWNLOADS / 'old-page.php'
        self.wait_for(saved.exists, 'Download did not take the opened file\'s name')

    def test_a_template_downloads_as_php(self):
        """Script to HTML of a legacy PHP page opened from its file."""
        self.open_page()
        Select(self.box('target')).select_by_value('html')
        legacy = sorted((CASES / 'legacy').glob('php_*.php'))[0]
        self.driver.execute_script('document.getElementById("file").hidden = false')
        self.box('file').send_keys(str(legacy.resolve()))
        # The page reads the box's text, every line break CR LF, as the window does.
        html = cli(re.sub(rb'\r\n|\r|\n', b'\r\n', legacy.read_bytes()), '--to=html')
        self.wait_for(lambda: self.value('html') == as_box_holds(html), 'the opened script was not read back')
        self.box('download').click()
        saved = DOWNLOADS / legacy.name
        self.wait_for(saved.exists, f'Download saved no {legacy.name}')
        time.sleep(0.3)
        self.assertEqual(saved.read_bytes(), html)

    def test_a_legacy_encoded_script_keeps_its_bytes(self):
        """A PHP page in Windows-1252 or Shift_JIS read back as
        tagora-convert --encoding=auto reads it: a template of the file's
        own bytes (PHP reads bytes), shown as text, downloaded as those bytes."""
        self.open_page()
        Select(self.box('target')).select_by_value('html')
        pages = (('old-1252.php', 'windows-1252', 'cp1252',
                  '<?php\r\necho "caf\u00E9 <b>\\xe9</b> \u20AC";\r\n$x = "na\u00EFve";\r\necho $x;\r\n?>\r\n<p>fin</p>\r\n'),
                 ('old-sjis.php', 'Shift_JIS', 'shift_jis',
                  '<meta charset="Shift_JIS">\r\n<?php echo "<p>\u8868\u793A \u30BD\u30D5\u30C8</p>"; ?>\r\n<p>\u80FD\u529B</p>\r\n'))
        for name, encoding, codec, text in pages:
            data = text.encode(codec)
            path = pathlib.Path(tempfile.mkdtemp(prefix='tagora-legacy-')) / name
            path.write_bytes(data)
            expected = cli(data, '--to=html', '--encoding=auto')
            self.driver.execute_script('document.getElementById("file").hidden = false')
            self.box('file').send_keys(str(path))
            shown = expected.decode(codec).replace('\r\n', '\n')
            self.wait_for(lambda: self.value('html') == shown, f'{name}: not the template of its bytes')
            self.assertIn(f"in {encoding}", self.notice())
            self.box('download').click()
            saved = DOWNLOADS / name
            self.wait_for(saved.exists, f'{name}: nothing downloaded')
            time.sleep(0.3)
            self.assertEqual(saved.read_bytes(), expected, name)

    def test_an_error_puts_the_caret_at_its_place(self):
        self.open_page()
        Select(self.box('target')).select_by_value('php')
        self.box('html').send_keys('<p>old</p>')
        self.wait_for(lambda: self.value('script') != '', 'no script')
        Select(self.box('target')).select_by_value('html')
        script = '<?php\necho "ok";\n/* caf\u00E9 \U0001F600 */ echo "never closed;\n'
        self.clear('script')
        # Its valid start converted first, so that there is an output that
        # the error makes out of date (typed at once, on a busy machine
        # nothing was converted before the error).
        valid = script.index('/*')
        self.box('script').send_keys(script[:valid])
        self.wait_for(lambda: self.value('html') == 'ok', 'the valid start of the script was not converted')
        self.box('script').send_keys(script[valid:])
        self.box('convert').click()
        complaint = subprocess.run([str(CLI), '--to=html'], input=script.encode(), capture_output=True).stderr.decode()
        line, column = (int(n) for n in complaint.split(':')[2:4])
        lines = script.split('\n')
        units = lambda text: len(text.encode('utf-16-le')) // 2  # a box counts UTF-16 units
        offset = sum(units(l) + 1 for l in lines[:line - 1]) + units(lines[line - 1][:column - 1])
        self.wait_for(lambda: self.box('error').text != '', 'no error shown')
        self.assertIn(f'Line {line}, column {column}', self.box('error').text)
        caret = self.driver.execute_script(
            'const box = document.activeElement; return [box.id, box.selectionStart, box.selectionEnd]')
        self.assertEqual(caret, ['script', offset, offset])
        marked = self.driver.execute_script(
            'return [...document.querySelectorAll("#script-box .cm-error-line")].map((line) => line.textContent)')
        self.assertEqual(marked, [lines[line - 1]], "the error's line is not the one marked")
        self.assertIn('stale', self.classes_of_box('html'))
        self.assertFalse(self.box('copy').is_enabled(), 'an out-of-date output can be copied')

    def test_keyboard_only(self):
        self.open_page()
        keys = ActionChains(self.driver)
        order = []
        for _ in range(6):
            keys.send_keys(Keys.TAB).perform()
            order.append(self.driver.execute_script('return document.activeElement.id'))
        keys.send_keys('<i>x</i>').perform()
        self.wait_for(lambda: self.value('script') != '', 'typing after Tab gave no script')
        for _ in range(4):
            keys.send_keys(Keys.TAB).perform()
            order.append(self.driver.execute_script('return document.activeElement.id'))
        self.assertEqual(order, ['target', 'classic', 'header', 'convert', 'open', 'html', 'script', 'copy', 'copy-literal',
                                 'download'])
        self.clear('html')
        self.box('html').send_keys('<b>"x"</b>')
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(Keys.ENTER).key_up(Keys.CONTROL).perform()
        self.wait_for(lambda: self.value('script') == as_box_holds(cli(b'<b>"x"</b>', '--to=php')), 'Ctrl+Enter')
        self.assertEqual(self.driver.execute_script('return document.activeElement.id'), 'html')
        ActionChains(self.driver).send_keys(Keys.TAB, Keys.TAB, Keys.ENTER).perform()
        self.wait_for(lambda: 'copied' in self.notice(), 'Copy by keyboard gave no notice')

    def test_every_control_is_named(self):
        self.open_page()
        tree = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        controls = [n for n in tree if not n.get('ignored')
                    and n.get('role', {}).get('value') in ('button', 'textbox', 'combobox', 'checkbox', 'link')]
        names = {n['role']['value'] + ':' + n.get('name', {}).get('value', '') for n in controls}
        self.assertEqual(len(controls), 12, names)
        for node in controls:
            self.assertTrue(node.get('name', {}).get('value', '').strip(), f'unnamed {node["role"]["value"]}')
        self.assertIn('textbox:HTML Code', names)
        self.assertIn('textbox:PHP Script', names)
        self.assertIn('button:Copy as Literal', names)
        self.assertIn('checkbox:Header Comment', names)
        # Each option's short explanation is on the page, not only read out.
        for hint in ('classic-hint', 'header-hint', 'copy-literal-hint', 'wrap-hint'):
            self.assertTrue(self.box(hint).is_displayed(), hint)
            self.assertGreater(self.box(hint).size['height'], 8, hint)
        live = self.driver.execute_script(
            'return [...document.querySelectorAll("[aria-live]:not(.cm-announced)")].map((e) => e.id).sort()')
        self.assertEqual(live, ['error', 'notice'])

    def test_console_free_of_errors(self):
        """Loading logs nothing: the engine is handed its wasm, never fetches it."""
        self.driver.get_log('browser')
        self.open_page()
        self.box('html').send_keys('<p>x</p>')
        self.wait_for(lambda: self.value('script') != '', 'no script')
        self.assertEqual(self.driver.get_log('browser'), [])

    def drop(self, target_id, files=(), text=None):
        """A drop of files or text on an element, as the browser sends it."""
        self.driver.execute_script('''
            const [id, files, text] = arguments;
            const data = new DataTransfer();
            for (const [name, content] of files)
              data.items.add(new File([content], name, {type: 'text/html'}));
            if (text !== null)
              data.setData('text/plain', text);
            const target = document.querySelector(id);
            for (const type of ['dragenter', 'dragover', 'drop'])
              target.dispatchEvent(new DragEvent(type, {dataTransfer: data, bubbles: true, cancelable: true}));
        ''', target_id, [list(f) for f in files], text)

    def test_dropping_text_and_several_files(self):
        self.open_page()
        self.drop('main', text='<b>dropped $text</b>')
        self.wait_for(lambda: self.value('script') == as_box_holds(cli(b'<b>dropped $text</b>', '--to=php')),
                      'text dropped on the page was not converted')
        self.drop('main', files=[('first.html', '<i>1</i>'), ('second.html', '<i>2</i>'), ('third.htm', '<i>3</i>')])
        self.wait_for(lambda: self.value('html') == '<i>1</i>', 'the first file was not opened')
        self.assertIn('3 files were dropped', self.notice())
        self.assertIn('"second.html", "third.htm" were not opened', self.notice())

    def test_options_the_mark_the_codes_and_an_empty_literal(self):
        """Header comment and JavaScript name as --no-header and --name; a
        leading U+FEFF skipped as tagora-convert skips it; the character
        codes never in the downloaded script; Copy as Literal of nothing
        copies nothing."""
        self.open_page()
        self.assertFalse(self.box('name').is_displayed(), 'the name shows for PHP')
        Select(self.box('target')).select_by_value('js')
        self.assertTrue(self.box('name').is_displayed(), 'no name for js')
        self.box('header').click()
        self.box('name').clear()
        self.box('name').send_keys('page')
        typed = '\ufeff<p>`${x}`</p>'
        self.driver.execute_script('const box = document.getElementById("html"); box.value = arguments[0];', typed)
        expected = cli(typed.encode(), '--to=js', '--no-header', '--name=page')
        self.assertFalse(expected.startswith(b'\xef\xbb\xbf'))
        self.wait_for(lambda: self.value('script') == as_box_holds(expected), 'the options were not applied')
        self.box('codes').click()
        self.wait_for(lambda: self.value('codes-list') != '', 'no character codes')
        self.assertTrue(self.value('codes-list').startswith('63 60 112'), self.value('codes-list'))
        self.assertEqual(self.value('script'), as_box_holds(expected), 'the codes went into the script')
        self.box('download').click()
        saved = DOWNLOADS / 'script.js'
        self.wait_for(saved.exists, 'Download saved no script.js')
        time.sleep(0.3)
        self.assertEqual(saved.read_bytes(), expected)
        self.box('name').send_keys('-')
        self.wait_for(lambda: 'JavaScript constant' in self.box('error').text, 'a wrong name was not refused')
        self.clear('html')
        self.driver.execute_script('navigator.clipboard.writeText("before")')
        self.box('copy-literal').click()
        self.wait_for(lambda: 'nothing to copy' in self.notice(), 'Copy as Literal of nothing said nothing')
        clipboard = self.driver.execute_async_script('navigator.clipboard.readText().then(arguments[0])')
        self.assertEqual(clipboard, 'before')

    def test_a_lone_surrogate_is_refused_at_its_place(self):
        """Half of a pasted emoji: no PHP script could print it, so none is
        made or downloaded; JSON holds it as an escape."""
        self.open_page()
        self.driver.execute_script('const box = document.getElementById("html");'
                                   'box.value = "<p>a</p>\\n<b>\\u00E9 " + String.fromCharCode(0xD83D) + "x</b>";')
        self.wait_for(lambda: self.box('error').text.startswith('Line 2, column 6: U+D83D is a lone surrogate'),
                      'the lone surrogate was not refused at its place')
        self.assertFalse(self.box('download').is_enabled())
        Select(self.box('target')).select_by_value('json')
        self.wait_for(lambda: '\\uD83D' in self.value('script'), 'JSON did not escape it')
        self.assertEqual(self.box('error').text, '')

    def test_script_to_html_puts_its_input_first(self):
        self.open_page()
        Select(self.box('target')).select_by_value('html')
        first = self.driver.execute_script('return document.querySelector("#boxes > section .cm-content").id')
        self.assertEqual(first, 'script')
        self.assertTrue(self.box('script').get_attribute('aria-placeholder'))
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                                    {'width': 360, 'height': 740, 'deviceScaleFactor': 1, 'mobile': True})
        try:
            top = self.driver.execute_script('return document.getElementById("script").getBoundingClientRect().top')
            self.assertLess(top, 740, 'the script box is below the fold on a phone')
        finally:
            self.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        Select(self.box('target')).select_by_value('php')
        first = self.driver.execute_script('return document.querySelector("#boxes > section .cm-content").id')
        self.assertEqual(first, 'html')

    def key_latencies(self, text, keys=16):
        """The browser's own timing of each key typed at the end of the HTML
        box holding the text: from the key to the next paint, in ms (an
        interaction under 16 ms is not reported, and counts as 16)."""
        script_length = 'return document.getElementById("script").value.length'
        before = self.driver.execute_script(script_length)
        self.driver.execute_script('document.getElementById("html").value = arguments[0]', text)
        self.wait_for(lambda: self.driver.execute_script(script_length) not in (0, before), 'no script')
        time.sleep(0.5)
        self.driver.execute_script('document.getElementById("html").focus()')
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(Keys.END).key_up(Keys.CONTROL).perform()
        time.sleep(0.2)
        self.driver.execute_script('''
            window.keyTimes = {};
            new PerformanceObserver((list) => {
              for (const entry of list.getEntries())
                if (entry.interactionId)
                  window.keyTimes[entry.interactionId] = Math.max(window.keyTimes[entry.interactionId] || 0, entry.duration);
            }).observe({type: 'event', durationThreshold: 16});''')
        for key in 'abcdefghijklmnopqrstuvwxyz'[:keys]:
            ActionChains(self.driver).send_keys(key).perform()
            time.sleep(0.05)
        time.sleep(0.3)
        self.assertTrue(self.value('html').endswith('abcdefghijklmnopqrstuvwxyz'[:keys]), 'the keys were not typed')
        reported = sorted(self.driver.execute_script('return Object.values(window.keyTimes)'))
        return sorted(reported + [16] * (keys - len(reported)))

    @unittest.skipIf(os.environ.get('TAGORA_WEB_CHECKED_ONCE'), 'checked in the build without the fuzz harnesses')
    def test_a_key_in_a_1_mb_page(self):
        """A key typed into 1 MB of HTML shows in tens of milliseconds (the
        median of 16 keys; a text area took a second), in lines and in one
        line with Wrap Lines on (a coloured long line took seconds there).
        The bound catches a box that lays out or colours the whole text or
        line again, with room for a busy machine: the figures themselves are
        measured in docs/page-editor.md."""
        self.open_page()
        seed = ''.join(path.read_text() for path in sorted((CASES / 'inputs').glob('large_*.html')))
        for name, text, wrap in (('lines', (seed * (1000000 // len(seed) + 1))[:1000000], False),
                                 ('one line', ('<p class="a">x &amp; y</p>' * 40000)[:1000000], True)):
            if self.box('wrap').is_selected() != wrap:
                self.box('wrap').click()
            most = 150
            tries = [self.key_latencies(text)]
            if median(tries[0]) > most:  # measured once more: a busy moment slows every key of a try
                print(f'\n{name}: keys took {tries[0]} ms, over {most} ms; {machine_load()}', file=sys.stderr)
                tries.append(self.key_latencies(text))
            self.assertLessEqual(median(tries[-1]), most,
                                 f'{name}: the median key over {most} ms in both tries: {tries} ms; {machine_load()}')

    def test_wrap_and_search(self):
        """Wrap Lines folds a long line to the box's width, and is
        remembered; Ctrl+F finds a word."""
        self.open_page()
        line = ' '.join(f'<span>word{i}</span>' for i in range(400))
        self.driver.execute_script('document.getElementById("html").value = arguments[0]', line)
        sideways = ('const scroller = document.getElementById("html").closest(".cm-scroller");'
                    'return scroller.scrollWidth - scroller.clientWidth')
        self.assertGreater(self.driver.execute_script(sideways), 100, 'the long line is not one line')
        self.box('wrap').click()
        self.wait_for(lambda: self.driver.execute_script(sideways) <= 0, 'the long line was not wrapped')
        self.driver.refresh()
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script('return document.documentElement.dataset.ready === "true"'))
        self.assertTrue(self.box('wrap').is_selected(), 'Wrap Lines was not remembered')
        self.driver.execute_script('document.getElementById("html").value = arguments[0]', line)
        self.assertLessEqual(self.driver.execute_script(sideways), 0, 'the long line was not wrapped after a reload')
        self.box('html').click()
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys('f').key_up(Keys.CONTROL).perform()
        self.wait_for(lambda: self.driver.execute_script(
            'return document.activeElement.matches(".cm-search input[name=search]")'), 'Ctrl+F opened no search')
        ActionChains(self.driver).send_keys('word123<', Keys.ENTER).perform()
        found = line.find('word123<')
        self.wait_for(lambda: self.driver.execute_script(
            'return document.getElementById("html").selectionStart') == found, 'the word was not found')

    @unittest.skipIf(os.environ.get('TAGORA_WEB_CHECKED_ONCE'), 'checked in the build without the fuzz harnesses')
    def test_a_50_mb_file_never_blocks_the_page(self):
        """A 50 MB page opened and shown read-only, converted (once
        cancelled, with progress shown) and its script shown read-only, and
        downloaded as tagora-convert writes it, while the page's thread is
        never held for long (about 100 ms on a quiet machine, 150-270 ms at a
        load of 15, once 815 ms at 23 with the text shown: the bound leaves
        room for a busy machine and still catches a text put in a box whole,
        which holds it for seconds). A task over the bound is measured once
        more, all over again."""
        seed = b''.join(path.read_bytes() for path in sorted((CASES / 'inputs').glob('large_*.html')))
        path = DOWNLOADS / 'fifty.html'
        path.write_bytes((seed * (50000000 // len(seed) + 1))[:50000000])
        expected = cli(path.read_bytes(), '--to=php')
        self.open_convert_and_download(path, expected)
        if self.longest_task() >= 1000:
            print(f'\n{self.busy_thread()}; measured once more', file=sys.stderr)
            self.open_convert_and_download(path, expected)
        self.assertLess(self.longest_task(), 1000, self.busy_thread())
        path.unlink()

    def open_convert_and_download(self, path, expected):
        """The file opened in a fresh page, converted (once cancelled) and
        downloaded: the bytes expected."""
        self.open_page()
        self.driver.execute_script('''
            window.longTasks = [];  // [start, duration] in ms
            window.phases = [];     // [what, when] in ms
            new PerformanceObserver((list) => {
              for (const task of list.getEntries())
                window.longTasks.push([Math.round(task.startTime), Math.round(task.duration)]);
            }).observe({type: 'longtask'});  // from now on, the page started
            // Cancel pressed as soon as the first conversion shows its progress.
            window.progressSeen = [];
            const busy = document.getElementById('busy');
            new MutationObserver(() => {
              if (!busy.hidden && window.cancelArmed && !window.cancelPressed) {
                window.cancelPressed = true;
                document.getElementById('cancel').click();
              }
            }).observe(busy, {attributes: true});
            new MutationObserver(() => window.progressSeen.push(document.getElementById('progress').value))
              .observe(document.getElementById('progress'), {attributes: true, attributeFilter: ['value']});
        ''')
        self.mark('open')
        self.driver.execute_script('document.getElementById("file").hidden = false')
        self.box('file').send_keys(str(path))
        first_line = path.read_bytes().split(b'\n', 1)[0].rstrip(b'\r').decode()
        shown = ('const box = document.getElementById(arguments[0]);'
                 'return [box.getAttribute("aria-readonly"), box.querySelector(".cm-line").textContent,'
                 '        document.getElementById(arguments[0] + "-state").textContent]')
        # Reading 50 MB took 6 to 12 s with a load of 13 to 23 on two processors.
        WebDriverWait(self.driver, 120, 0.2).until(lambda d: d.execute_script(shown, 'html')[1] == first_line)
        readonly, _, note = self.driver.execute_script(shown, 'html')
        self.assertEqual(readonly, 'true')
        self.assertIn('shown read-only', note)
        self.driver.execute_script('window.cancelArmed = true')
        self.mark('convert')
        self.box('convert').click()
        self.wait_for(lambda: 'cancelled' in self.notice(), 'Cancel did not stop the conversion')
        self.assertFalse(self.box('download').is_enabled(), 'a cancelled conversion can be downloaded')
        self.mark('convert again')
        self.box('convert').click()
        WebDriverWait(self.driver, 120, 0.1).until(lambda d: self.box('download').is_enabled())
        WebDriverWait(self.driver, 120, 0.2).until(
            lambda d: d.execute_script(shown, 'script')[1] == expected[:expected.index(b'\r\n')].decode())
        readonly, _, note = self.driver.execute_script(shown, 'script')
        self.assertEqual(readonly, 'true')
        self.assertIn('Shown read-only', note)
        progress = self.driver.execute_script('return window.progressSeen')
        self.assertTrue(any(0 < value < 1 for value in progress), f'no progress shown: {progress}')
        self.mark('download')
        self.box('download').click()
        saved = DOWNLOADS / 'fifty.php'
        WebDriverWait(self.driver, 120, 0.2).until(lambda d: saved.exists() and saved.stat().st_size == len(expected))
        self.mark('downloaded')
        self.assertEqual(hashlib.sha256(saved.read_bytes()).digest(), hashlib.sha256(expected).digest())
        heap = self.driver.execute_script('return performance.memory.usedJSHeapSize') / 1e6
        print(f"50 MB: the page's longest task {self.longest_task()} ms, its heap {heap:.0f} MB", file=sys.stderr)
        saved.unlink()

    def mark(self, phase):
        """A phase of the 50 MB test, when it starts on the page's clock."""
        self.driver.execute_script('window.phases.push([arguments[0], Math.round(performance.now())])', phase)

    def longest_task(self):
        return max((duration for _, duration in self.driver.execute_script('return window.longTasks')), default=0)

    def busy_thread(self):
        """The page's long tasks and phases, for a failure message."""
        tasks, phases = self.driver.execute_script('return [window.longTasks, window.phases]')
        return (f"the page's thread was busy {self.longest_task()} ms at once; its tasks over 50 ms "
                f"[start, ms]: {tasks}; phases [what, start]: {phases}; {machine_load()}")

    @unittest.skipIf(os.environ.get('TAGORA_WEB_CHECKED_ONCE'), 'checked in the build without the fuzz harnesses')
    def test_a_text_too_long_to_edit_is_copied_exactly(self):
        """A file over 2 million characters and its script are shown
        read-only; Copy takes the script exactly, from its bytes."""
        self.open_page()
        seed = b''.join(path.read_bytes() for path in sorted((CASES / 'inputs').glob('large_*.html')))
        path = DOWNLOADS / 'long.html'
        path.write_bytes((seed * (2200000 // len(seed) + 1))[:2200000])
        self.driver.execute_script('document.getElementById("file").hidden = false')
        self.box('file').send_keys(str(path))
        WebDriverWait(self.driver, 60, 0.1).until(lambda d: 'Shown read-only' in self.box('script-state').text)
        self.assertIn('shown read-only', self.box('html-state').text)
        self.assertEqual([self.box(name).get_attribute('aria-readonly') for name in ('html', 'script')], ['true', 'true'])
        # What the page gives the clipboard (headless Chromium's own takes
        # seconds for megabytes).
        self.driver.execute_script('navigator.clipboard.writeText = async (text) => { window.copied = text; }')
        self.box('copy').click()
        self.wait_for(lambda: 'copied' in self.notice(), 'the script was not copied')
        # Its SHA-256 (megabytes take seconds through the driver).
        copied = self.driver.execute_async_script(
            'crypto.subtle.digest("SHA-256", new TextEncoder().encode(window.copied))'
            '.then((digest) => arguments[0](Array.from(new Uint8Array(digest))))')
        self.assertEqual(bytes(copied), hashlib.sha256(cli(path.read_bytes(), '--to=php')).digest())
        path.unlink()

    # Run by hand, with TAGORA_HUGE_DOWNLOAD=1: it writes 600 MB and takes a
    # minute or more. Headless Chromium often never started the 580 MB
    # download while the page revoked its blob: URL after a minute; since
    # the page keeps it until the next download, it has passed 3 of 3 runs.
    @unittest.skipUnless(os.environ.get('TAGORA_HUGE_DOWNLOAD'), 'TAGORA_HUGE_DOWNLOAD is not set')
    def test_a_file_too_large_to_show_and_a_script_too_long_for_a_string(self):
        """20 M line breaks: the file is shown read-only and converted; its
        ASP script (580 MB, longer than a string) is not shown, and is
        downloaded whole, in pieces."""
        self.open_page()
        Select(self.box('target')).select_by_value('asp')
        path = DOWNLOADS / 'breaks.html'
        path.write_bytes(b'\n' * 20000000)
        self.driver.execute_script('document.getElementById("file").hidden = false')
        self.box('file').send_keys(str(path))
        WebDriverWait(self.driver, 120, 0.2).until(lambda d: 'shown read-only' in self.box('html-state').text)
        self.box('convert').click()
        WebDriverWait(self.driver, 600, 0.2).until(lambda d: self.box("download").is_enabled())
        self.assertIn('too large to show', self.notice())
        self.box('download').click()
        saved = DOWNLOADS / 'breaks.asp'
        judge = subprocess.Popen([str(CLI), '--to=asp', str(path)], stdout=subprocess.PIPE)
        expected = hashlib.sha256()
        size = 0
        for piece in iter(lambda: judge.stdout.read(1 << 20), b''):
            expected.update(piece)
            size += len(piece)
        judge.wait()
        self.assertGreater(size, 2 ** 29)
        # Chromium writes 580 MB: minutes on a machine busy with other tests.
        WebDriverWait(self.driver, 600, 0.5).until(lambda d: saved.exists() and saved.stat().st_size == size)
        got = hashlib.sha256()
        with saved.open('rb') as file:
            for piece in iter(lambda: file.read(1 << 20), b''):
                got.update(piece)
        self.assertEqual(got.hexdigest(), expected.hexdigest())
        saved.unlink()
        path.unlink()

    def axe_violations(self):
        """axe-core's violations of the page as it is now: rule, nodes."""
        self.driver.set_script_timeout(60)
        found = self.driver.execute_async_script(AXE + '''
            const done = arguments[arguments.length - 1];
            axe.run(document, {resultTypes: ['violations']})
              .then((r) => done(r.violations.map((v) => [v.id, v.nodes.map((n) => n.target.join(' '))])),
                    (e) => done([['axe failed', [String(e)]]]));''')
        return found

    @unittest.skipIf(os.environ.get('TAGORA_WEB_CHECKED_ONCE'), 'checked in the build without the fuzz harnesses')
    def test_no_accessibility_violations(self):
        """axe-core finds nothing in the main states, light and dark."""
        self.open_page()
        states = []
        states.append(('empty', self.axe_violations()))
        self.box('html').send_keys('<p class="price">$5 for {$item}</p>')
        self.wait_for(lambda: self.value('script') != '', 'no script')
        self.box('codes').click()
        self.wait_for(lambda: self.value('codes-list') != '', 'no character codes')
        states.append(('converted, codes listed', self.axe_violations()))
        Select(self.box('target')).select_by_value('js')
        self.driver.execute_script("document.getElementById('busy').hidden = false;"
                                   "document.getElementById('progress').value = 0.4")
        states.append(('js, its name, a conversion in progress', self.axe_violations()))
        self.driver.execute_script("document.getElementById('busy').hidden = true")
        Select(self.box('target')).select_by_value('html')
        self.box('script').send_keys('<?php echo "never closed;')
        self.box('convert').click()
        self.wait_for(lambda: self.box('error').text != '', 'no error shown')
        states.append(('Script to HTML, an error, the output out of date', self.axe_violations()))
        self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia',
                                    {'features': [{'name': 'prefers-color-scheme', 'value': 'dark'}]})
        try:
            states.append(('the same, dark', self.axe_violations()))
        finally:
            self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': []})
        self.assertEqual([(state, found) for state, found in states if found], [])

    def test_screenshots(self):
        self.open_page()
        SHOTS.mkdir(parents=True, exist_ok=True)
        self.box('html').send_keys('<p class="price">$5 for {$item}</p>\n<a title="100%>">Go</a>')
        self.wait_for(lambda: self.value('script') != '', 'no script')
        backgrounds = set()
        for scheme in ('light', 'dark'):
            self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia',
                                        {'features': [{'name': 'prefers-color-scheme', 'value': scheme}]})
            backgrounds.add(self.driver.execute_script('return getComputedStyle(document.body).backgroundColor'))
            for width in (360, 1280):
                self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                                            {'width': width, 'height': 900, 'deviceScaleFactor': 1, 'mobile': width < 600})
                overflow = self.driver.execute_script(
                    'return document.documentElement.scrollWidth - document.documentElement.clientWidth')
                self.assertLessEqual(overflow, 0, f'{width} px {scheme}: scrolls sideways')
                self.driver.save_screenshot(str(SHOTS / f'tagora-{width}-{scheme}.png'))
        # A long conversion's progress and Cancel.
        self.driver.execute_script("document.getElementById('busy').hidden = false;"
                                   "document.getElementById('busy-label').textContent = 'Making the PHP Script… 40%';"
                                   "document.getElementById('progress').value = 0.4")
        for scheme, width in (('light', 360), ('dark', 1280)):
            self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia',
                                        {'features': [{'name': 'prefers-color-scheme', 'value': scheme}]})
            self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                                        {'width': width, 'height': 900, 'deviceScaleFactor': 1, 'mobile': width < 600})
            self.driver.save_screenshot(str(SHOTS / f'tagora-busy-{width}-{scheme}.png'))
        self.driver.execute_script("document.getElementById('busy').hidden = true")
        # A line coloured up to its 1,000th character, then one that is not.
        self.driver.execute_script('document.getElementById("html").value = arguments[0]',
                                   '<p class="a">x &amp; y</p>' * 38 + '\n' + '<p class="a">x &amp; y</p>' * 40)
        self.wait_for(lambda: self.value('script').count('x &amp; y') == 78, 'no script of the long lines')
        self.driver.save_screenshot(str(SHOTS / 'tagora-long-lines-1280-dark.png'))
        self.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': []})
        self.assertEqual(len(backgrounds), 2, 'dark mode changes nothing')


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)  # then the tests to run, if not all
