"""The studio's speed, measured in one run (a benchmark, not a test):

- the field map of a 10-effect object at step 4 on the 1024 x 768 screen, in headless Chromium
  (tklStudio.fieldCsv) beside the native tkl-play doing the same work (--map-step 4 on a
  one-sample path), as a ratio;
- edit-to-picture: a property edit in the page until its force plot, pointer path and field map
  are drawn again;
- screenshots of the page with a sample object open, in OUT.

usage: bench.py SITE NATIVE_BIN OUT
"""

import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'tests'))
import studiobrowser  # noqa: E402

from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402

REPEATS = 5

# Ten position-dependent effects in one compound: springs, walls, textures and a grid of them.
MEMBERS = [
    ('Spring', {'Offset': 300, 'PosCoefficient': 4000, 'NegCoefficient': 4000}),
    ('Spring', {'Axes': 1, 'Offset': 400, 'DeadBand': 20}),
    ('Spring', {'Axes': 3, 'Direction': 4500, 'Offset': 100}),
    ('Axis Wall', {'Offset': 200, 'Hardness': 6000}),
    ('Axis Wall', {'Axis': 1, 'Offset': 600, 'Hardness': 8000, 'WallSense': 1}),
    ('Angle Wall', {'Direction': 3000, 'Offset': 250, 'Hardness': 5000}),
    ('Angle Wall', {'Direction': 12000, 'Offset': -150, 'Hardness': 5000}),
    ('Texture', {'TextureStyle': 1, 'PosRoughness': 40}),
    ('Texture', {'TextureStyle': 4, 'PosRoughness': 60}),
    ('Slope', {'Axes': 0, 'Offset': 700, 'PosCoefficient': -3000}),
]


def bench_project():
    objects = [{'name': 'Part %d' % i, 'type': t, 'properties': p}
               for i, (t, p) in enumerate(MEMBERS)]
    objects.append({'name': 'Bench', 'type': 'Compound',
                    'contains': [o['name'] for o in objects]})
    return {'objects': objects}


def native_map_ms(native, project, out, step):
    """The best of REPEATS runs of tkl-play mapping the object, in milliseconds."""
    best = None
    for _ in range(REPEATS):
        begin = time.perf_counter()
        subprocess.run([os.path.join(native, 'tkl-play'), project, 'Bench', '--path', 'still',
                        '--duration', '0.001', '--map-step', str(step), '--no-plots', '-o', out],
                       check=True, stdout=subprocess.DEVNULL)
        elapsed = (time.perf_counter() - begin) * 1000
        best = elapsed if best is None else min(best, elapsed)
    return best


def main(site, native, out):
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix='tkl-studio-bench-') as tmp:
        source = os.path.join(tmp, 'bench.json')
        project = os.path.join(tmp, 'bench.tvx')
        with open(source, 'w') as f:
            json.dump(bench_project(), f, indent=2)
        subprocess.run([os.path.join(native, 'tvx'), 'build', source, '-o', project], check=True)
        with open(project, 'rb') as f:
            data = list(f.read())
        native4 = native_map_ms(native, project, os.path.join(tmp, 'out'), 4)
        native512 = native_map_ms(native, project, os.path.join(tmp, 'out'), 512)

        with studiobrowser.serve(site) as address, studiobrowser.chromium(1600, 1100) as d:
            studiobrowser.studio_ready(d, address)
            d.execute_script('studioPage.openBytes(new Uint8Array(arguments[0]), "bench.tvx");'
                             'studioPage.select("Bench");', data)
            effects = d.execute_script(
                'return tklStudio.objects().find(o => o.name === "Bench").effects.length;')
            wasm = d.execute_script('''
                const times = [];
                let cells = 0;
                for (let i = 0; i < arguments[0]; ++i) {
                  const begin = performance.now();
                  cells = tklStudio.fieldCsv('Bench', 4).split('\\n').length;
                  times.push(performance.now() - begin);
                }
                return {best: Math.min(...times), lines: cells};''', REPEATS)
            edit = d.execute_script('''
                const times = [];
                for (let i = 0; i < arguments[0]; ++i) {
                  const begin = performance.now();
                  tklStudio.setProperty('Part 0', 'Offset', 300 + i);
                  times.push(performance.now() - begin);
                }
                return Math.min(...times);''', REPEATS)

            # What a user sees: a sample project, an object with a field, the mouse over it.
            d.execute_script('document.getElementById("samples").value = "showcase.tvx";'
                             'document.getElementById("samples").dispatchEvent(new Event("change"));')
            time.sleep(1.5)
            for name in ('Menu', 'Bench'):
                if name == 'Bench':
                    d.execute_script('studioPage.openBytes(new Uint8Array(arguments[0]), '
                                     '"bench.tvx"); studioPage.select("Bench");', data)
                else:
                    d.execute_script('studioPage.openBytes(new Uint8Array(arguments[0]), '
                                     '"desktop.tvx"); studioPage.select(arguments[1]);',
                                     list(open(os.path.join(site, 'samples', 'desktop.tvx'),
                                               'rb').read()), name)
                field = d.find_element(By.ID, 'field')
                ActionChains(d).move_to_element_with_offset(field, -40, 30).perform()
                ActionChains(d).move_to_element_with_offset(field, -30, 40).perform()
                d.save_screenshot(os.path.join(out, 'studio-%s.png' % name.lower()))

    print('field map, %d-effect object, step 4 on 1024 x 768 (%d CSV lines), best of %d:'
          % (effects, wasm['lines'], REPEATS))
    print('  browser (wasm, tklStudio.fieldCsv):   %8.1f ms' % wasm['best'])
    print('  native (tkl-play process, whole run): %8.1f ms  (the same run at step 512: %.1f ms)'
          % (native4, native512))
    print('  ratio browser / native: %.2f; on the map alone (native less its step-512 run): %.2f'
          % (wasm['best'] / native4, wasm['best'] / max(native4 - native512, 1e-3)))
    print('edit to picture (setProperty until the plots and the step-16 map are drawn): %.1f ms'
          % edit)
    print('screenshots in %s' % out)


if __name__ == '__main__':
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
