"""The studio in a real browser: its forces against the native tkl-play's, editing and saving
against the native tvx, bad input, and the live readout over the field map.

Environment: TKL_STUDIO_SITE (the built site), TKL_NATIVE_BIN (the native tkl-play and tvx).
"""

import glob
import json
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import studiobrowser  # noqa: E402

from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

SITE = os.environ.get('TKL_STUDIO_SITE', '')
NATIVE = os.environ.get('TKL_NATIVE_BIN', '')
SAMPLES = sorted(glob.glob(os.path.join(SITE, 'samples', '*.tvx')))

# Two paths: tkl-play's defaults (whose run also writes the field maps, --map-step 4), and a
# shorter circle at another rate.
PATHS = [
    {'path': 'sweep', 'duration': 2, 'rate': 1000},
    {'path': 'circle', 'duration': 1.5, 'rate': 250},
]


def run_native(program, *args):
    return subprocess.run([os.path.join(NATIVE, program)] + list(args), check=True,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def read(path, mode='r'):
    with open(path, mode, newline='' if mode == 'r' else None) as f:
        return f.read()


class StudioTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for what, path in (('TKL_STUDIO_SITE', SITE), ('TKL_NATIVE_BIN', NATIVE)):
            if not os.path.isdir(path):
                raise RuntimeError('%s is not a folder: %r' % (what, path))
        if len(SAMPLES) < 2:
            raise RuntimeError('no sample projects in %s/samples' % SITE)
        cls.tmp = tempfile.TemporaryDirectory(prefix='tkl-studio-test-')
        cls._stack = [studiobrowser.serve(SITE), studiobrowser.chromium()]
        cls.address = cls._stack[0].__enter__()
        cls.driver = cls._stack[1].__enter__()

    @classmethod
    def tearDownClass(cls):
        for context in reversed(cls._stack):
            context.__exit__(None, None, None)
        cls.tmp.cleanup()

    def setUp(self):
        studiobrowser.studio_ready(self.driver, self.address)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open_bytes(self, data, name):
        return self.js('return tklStudio.open(new Uint8Array(arguments[0]), arguments[1]);',
                       list(data), name)

    def test_forces_equal_native_tkl_play_for_every_sample_object(self):
        for project in SAMPLES:
            stem = os.path.splitext(os.path.basename(project))[0]
            opened = self.open_bytes(read(project, 'rb'), os.path.basename(project))
            self.assertTrue(opened['ok'], opened)
            for n, path in enumerate(PATHS):
                out = os.path.join(self.tmp.name, '%s-%d' % (stem, n))
                run_native('tkl-play', project, '--path', path['path'], '--duration',
                           str(path['duration']), '--rate', str(path['rate']), '--no-plots',
                           '-o', out)
                for index, name in enumerate(opened['objects']):
                    with self.subTest(project=stem, object=name, path=path['path']):
                        files = glob.glob(os.path.join(out, '%02d-*.csv' % (index + 1)))
                        samples = [f for f in files if not f.endswith('-field.csv')]
                        expected = read(samples[0]) if samples else ''
                        got = self.js('return tklStudio.playCsv(arguments[0], arguments[1]);',
                                      name, path)
                        self.assertEqual(got, expected)
                        if n:
                            continue
                        fields = [f for f in files if f.endswith('-field.csv')]
                        expected = read(fields[0]) if fields else ''
                        got = self.js('return tklStudio.fieldCsv(arguments[0], 4);', name)
                        self.assertEqual(got, expected)

    def test_edit_undo_redo_and_save_round_trip(self):
        data = read(SAMPLES[0], 'rb')
        self.assertTrue(self.open_bytes(data, 'sample.tvx')['ok'])
        result = self.js('''
            const s = tklStudio, steps = {};
            const name = s.objects()[0].name;
            steps.original = s.save('json');
            steps.set = s.setProperty(name, 'Gain', 4321);
            steps.edited = s.save('json');
            steps.refused = s.setProperty(name, 'Gain', 99999);
            steps.afterRefused = s.save('json');
            steps.undo = s.undo();
            steps.undone = s.save('json');
            steps.redo = s.redo();
            steps.redone = s.save('json');
            const compound = s.objects().find(o => o.type === 'Compound').name;
            const before = s.objects().find(o => o.name === compound).effects.length;
            steps.add = s.addEffect(compound, 'Damper');
            const grown = s.objects().find(o => o.name === compound).effects.length;
            const added = s.project().objects.find(o => o.name === compound).contains.slice(-1)[0];
            steps.remove = s.removeEffect(compound, added);
            const shrunk = s.objects().find(o => o.name === compound).effects.length;
            steps.counts = [before, grown, shrunk];
            steps.json = s.save('json');
            steps.tvx = Array.from(s.save('tvx'));
            return steps;''')
        self.assertEqual([result[k]['ok'] for k in ('set', 'undo', 'redo', 'add', 'remove')],
                         [True] * 5)
        self.assertFalse(result['refused']['ok'])
        self.assertIn('maximum', result['refused']['error'])
        self.assertEqual(result['afterRefused'], result['edited'])
        self.assertEqual(result['undone'], result['original'])
        self.assertEqual(result['redone'], result['edited'])
        self.assertNotEqual(result['edited'], result['original'])
        self.assertEqual(json.loads(result['edited'])['objects'][0]['properties']['Gain'], 4321)
        before, grown, shrunk = result['counts']
        self.assertEqual((grown, shrunk), (before + 1, before))

        # The .tvx it saves is what the native tvx builds from the JSON it saves.
        source = os.path.join(self.tmp.name, 'saved.json')
        built = os.path.join(self.tmp.name, 'saved.tvx')
        with open(source, 'w') as f:
            f.write(result['json'])
        run_native('tvx', 'build', source, '-o', built)
        self.assertEqual(bytes(result['tvx']), read(built, 'rb'))

        # What it saved opens back to the same project, both ways.
        for saved, name in ((bytes(result['tvx']), 'saved.tvx'),
                            (result['json'].encode(), 'saved.json')):
            with self.subTest(name=name):
                self.assertTrue(self.open_bytes(saved, name)['ok'])
                self.assertEqual(bytes(self.js("return Array.from(tklStudio.save('tvx'));")),
                                 bytes(result['tvx']))
        self.assertEqual(self.js("return tklStudio.save('json');"), result['json'])

    def test_bad_files_give_a_message_and_keep_the_project(self):
        good = read(SAMPLES[-1], 'rb')
        path = os.path.join(self.tmp.name, 'good.tvx')
        with open(path, 'wb') as f:
            f.write(good)
        picker = self.driver.find_element(By.ID, 'file')
        picker.send_keys(path)
        objects = self.driver.find_element(By.ID, 'objects')
        WebDriverWait(self.driver, 10).until(lambda d: objects.text.strip())
        shown = objects.text
        bad = {
            'malformed.tvx': b'tvxp\x02\x00\x00\x00' + b'\xff' * 40,
            'truncated.tvx': good[:len(good) // 2],
            'broken.json': b'{"objects": [ {"name": "A", "type": "Spring" ',
            'picture.png': b'\x89PNG\r\n\x1a\n' + b'\x00' * 32,
        }
        for name, data in bad.items():
            with self.subTest(file=name):
                path = os.path.join(self.tmp.name, name)
                with open(path, 'wb') as f:
                    f.write(data)
                self.js('document.getElementById("message").textContent = "";')
                picker.send_keys(path)
                message = self.driver.find_element(By.ID, 'message')
                WebDriverWait(self.driver, 10).until(lambda d: message.text.strip())
                self.assertIn(name, message.text)
                self.assertEqual(self.js('return document.getElementById("message").className'),
                                 'error')
                self.assertEqual(objects.text, shown)
                self.assertEqual(bytes(self.js("return Array.from(tklStudio.save('tvx'));")),
                                 good)

    def test_pointer_over_the_field_map_shows_the_api_force(self):
        desktop = [p for p in SAMPLES if os.path.basename(p) == 'desktop.tvx'][0]
        self.js('studioPage.openBytes(new Uint8Array(arguments[0]), "desktop.tvx");',
                list(read(desktop, 'rb')))
        positional = self.js(
            'return tklStudio.objects().find(o => o.effects.some(e => e.positional)).name;')
        self.js('studioPage.select(arguments[0]);', positional)
        field = self.driver.find_element(By.ID, 'field')
        readout = self.driver.find_element(By.ID, 'readout')
        seen = set()
        for dx, dy in ((-200, -100), (-60, 20), (0, 0), (90, 60), (200, 120)):
            ActionChains(self.driver).move_to_element_with_offset(field, dx, dy).perform()
            WebDriverWait(self.driver, 10).until(
                lambda d: readout.get_attribute('data-x') not in (None, ''))
            at = {k: int(readout.get_attribute('data-' + k))
                  for k in ('x', 'y', 'vx', 'vy', 'fx', 'fy')}
            api = self.js('return tklStudio.probe(arguments[0], arguments[1], arguments[2],'
                          ' arguments[3], arguments[4]);',
                          positional, at['x'], at['y'], at['vx'], at['vy'])
            self.assertEqual((at['fx'], at['fy']), (api['fx'], api['fy']), at)
            self.assertIn('%d' % round(api['magnitude']), readout.text)
            seen.add((at['fx'], at['fy']))
        self.assertGreater(len(seen), 1, 'the force should differ over the screen')


if __name__ == '__main__':
    unittest.main(verbosity=2)
