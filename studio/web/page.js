// The studio page: everything it shows comes from window.tklStudio (api.js), that is from the
// library and the software force mouse compiled to WebAssembly.
(function () {
  'use strict';

  const FIELD_STEP = 16;        // pixels between field samples in the page's map (speed)
  const SCREEN = {w: 1024, h: 768};
  const FULL = 10000;           // full force on an axis
  const $ = id => document.getElementById(id);

  let studio = null;
  let selected = null;          // the selected object's name
  let projectName = '';
  let samples = [];             // the selected object's samples along the path
  let fieldImage = null;        // the field map as drawn, for the overlays
  let last = null;              // the last pointer event over the map, for its velocity
  let playing = null;           // the animation frame of the play button
  const timings = {picture: []};

  function message(text, kind) {
    const m = $('message');
    m.textContent = text;
    m.className = text ? kind : '';
  }

  function openBytes(bytes, name) {
    const result = studio.open(bytes, name);
    if (!result.ok) {
      message('Could not open ' + result.error, 'error');
      return result;
    }
    projectName = name;
    $('project-name').textContent = name;
    message('Opened ' + name + ': ' + result.objects.length + ' objects.', 'info');
    return result;
  }

  function openFile(file) {
    file.arrayBuffer().then(buffer => openBytes(new Uint8Array(buffer), file.name),
                            error => message('Could not read ' + file.name + ': ' + error, 'error'));
  }

  function current() { return studio.objects().find(o => o.name === selected) || null; }
  // The description of an object, by its name or (as compounds may list it) its identifier.
  function described(reference) {
    const p = studio.project();
    const same = o => o.name === reference ||
        (typeof o.id === 'string' && o.id.toUpperCase() === String(reference).toUpperCase());
    return p ? (p.objects || []).find(same) || null : null;
  }

  function select(name) {
    selected = name;
    stopPlay();
    refresh();
  }

  // Called after every change of the project (studio.onChange).
  function refresh() {
    const names = studio.objects().map(o => o.name);
    if (!names.includes(selected))
      selected = names[0] || null;
    $('undo').disabled = !studio.canUndo();
    $('redo').disabled = !studio.canRedo();
    renderObjects();
    renderEffects();
    renderProperties();
    drawPictures();
  }

  function item(text, kind, isSelected, onClick) {
    const li = document.createElement('li');
    const label = document.createElement('span');
    label.textContent = text;
    li.appendChild(label);
    if (kind) {
      const k = document.createElement('span');
      k.className = 'kind';
      k.textContent = kind;
      li.appendChild(k);
    }
    if (isSelected)
      li.className = 'selected';
    if (onClick)
      li.addEventListener('click', onClick);
    return li;
  }

  function renderObjects() {
    const list = $('objects');
    list.textContent = '';
    for (const o of studio.objects())
      list.appendChild(item(o.name, o.type, o.name === selected, () => select(o.name)));
  }

  function renderEffects() {
    const list = $('effects');
    list.textContent = '';
    const o = current();
    $('selected-name').textContent = o ? o.name : '—';
    $('add-effect-row').style.display = o && o.type === 'Compound' ? '' : 'none';
    if (!o)
      return;
    const d = described(o.name);
    if (o.type === 'Compound' && d && Array.isArray(d.contains)) {
      for (const member of d.contains) {
        const m = described(member);
        const li = item(m ? m.name : member, m ? m.type : 'not in the project', false,
                        m ? () => select(m.name) : null);
        const remove = document.createElement('button');
        remove.textContent = '×';
        remove.title = 'Remove from ' + o.name;
        remove.addEventListener('click', event => {
          event.stopPropagation();
          report(studio.removeEffect(o.name, member));
        });
        li.appendChild(remove);
        list.appendChild(li);
      }
    }
    o.effects.forEach((e, i) => list.appendChild(
        item('effect ' + (i + 1), e.kind + (e.positional ? ', by position' : ''), false, null)));
  }

  function keyDefinition(schema, ref) {
    return ref && ref.$ref ? schema.$defs.keys[ref.$ref.split('/').pop()] : ref;
  }

  function renderProperties() {
    const form = $('properties');
    form.textContent = '';
    const o = current();
    const d = o && described(o.name);
    $('type-line').textContent = o ? o.name + ': ' + o.type : 'No object selected.';
    if (!d)
      return;
    const schema = studio.schema();
    const type = schema.$defs.types[d.type];
    if (type && type.description)
      $('type-line').textContent += '. ' + type.description;
    if (!type || !type.properties)
      return;
    if (Array.isArray(d.properties)) {
      form.textContent = 'Its properties are raw [key, value] pairs: edit them in the JSON.';
      return;
    }
    const values = d.properties || {};
    for (const [key, ref] of Object.entries(type.properties)) {
      const def = keyDefinition(schema, ref) || {};
      const label = document.createElement('label');
      label.title = def.description || '';
      const name = document.createElement('span');
      name.textContent = key;
      const input = document.createElement('input');
      input.type = 'number';
      input.name = key;
      input.step = 1;
      if (def.minimum !== undefined) input.min = def.minimum;
      if (def.maximum !== undefined) input.max = def.maximum;
      if (key in values)
        input.value = values[key];
      else {
        input.placeholder = def.default;
        label.className = 'default';
      }
      const unit = document.createElement('span');
      unit.className = 'unit';
      unit.textContent = (def.x_unit || def['x-unit'] || '') +
          (def.minimum !== undefined ? ' [' + def.minimum + ' … ' + def.maximum + ']' : '');
      const error = document.createElement('span');
      error.className = 'field-error';
      label.append(name, input, unit, error);
      input.addEventListener('change', () => editField(d.name, key, input, def, error));
      form.appendChild(label);
    }
  }

  // Refused at the field: not a whole number, or outside the format's range; the checker in
  // the module has the last word.
  function editField(objectName, key, input, def, error) {
    const text = input.value.trim();
    let value = null;
    if (text !== '') {
      if (!/^-?\d+$/.test(text))
        return fieldError(input, error, key + ': a whole number is expected');
      value = Number(text);
      if (def.minimum !== undefined && value < def.minimum)
        return fieldError(input, error, key + ': ' + value + ' is below the minimum, ' + def.minimum);
      if (def.maximum !== undefined && value > def.maximum)
        return fieldError(input, error, key + ': ' + value + ' is above the maximum, ' + def.maximum);
    }
    const result = studio.setProperty(objectName, key, value);
    if (!result.ok)
      return fieldError(input, error, result.error);
    message('', '');
  }

  function fieldError(input, error, text) {
    input.classList.add('invalid');
    error.textContent = text;
    message('Not changed: ' + text, 'error');
  }

  function report(result) {
    if (!result.ok)
      message(result.error, 'error');
    return result;
  }

  // --- pictures -------------------------------------------------------------------------

  function parseCsv(text) {
    const rows = [];
    for (const line of text.split('\n').slice(1))
      if (line)
        rows.push(line.split(',').map(Number));
    return rows;
  }

  function pathOptions() {
    return {path: $('path').value, duration: Number($('duration').value), rate: Number($('rate').value)};
  }

  function drawPictures() {
    const started = performance.now();
    samples = [];
    fieldImage = null;
    $('play-note').textContent = '';
    if (selected) {
      try {
        const csv = studio.playCsv(selected, pathOptions());
        samples = parseCsv(csv);
        if (!csv)
          $('play-note').textContent = studio.note();
        drawField(parseCsv(studio.fieldCsv(selected, FIELD_STEP)));
      } catch (e) {
        message(String(e.message || e), 'error');
      }
    }
    drawForce();
    drawPointer();
    if (!fieldImage)
      clearField();
    timings.picture.push(performance.now() - started);
  }

  function plot(canvas, series, range, colours, marker) {
    const g = canvas.getContext('2d');
    const w = canvas.width, h = canvas.height, left = 50, bottom = h - 18;
    g.clearRect(0, 0, w, h);
    g.font = '11px sans-serif';
    g.fillStyle = '#666';
    g.strokeStyle = '#ddd';
    const y = v => bottom - (v - range[0]) / (range[1] - range[0]) * (bottom - 6);
    for (const v of [range[0], (range[0] + range[1]) / 2, range[1]]) {
      g.beginPath(); g.moveTo(left, y(v)); g.lineTo(w, y(v)); g.stroke();
      g.fillText(String(Math.round(v)), 2, y(v) + 4);
    }
    if (!samples.length) {
      g.fillText(selected ? 'No samples: ' + ($('play-note').textContent || 'the object does not play')
                          : 'Open a project and select an object.', left + 10, h / 2);
      return;
    }
    const t1 = samples[samples.length - 1][0] || 1;
    const x = t => left + t / t1 * (w - left - 4);
    g.fillText('0 ms', left, h - 4);
    g.fillText(t1.toFixed(0) + ' ms', w - 50, h - 4);
    series.forEach((column, i) => {
      g.strokeStyle = colours[i];
      g.beginPath();
      samples.forEach((s, n) => (n ? g.lineTo : g.moveTo).call(g, x(s[0]), y(s[column])));
      g.stroke();
    });
    if (marker !== undefined) {
      g.strokeStyle = '#000';
      g.beginPath(); g.moveTo(x(marker), 0); g.lineTo(x(marker), bottom); g.stroke();
    }
  }

  function drawForce(marker) {
    const canvas = $('force');
    plot(canvas, [4, 5, 6], [-FULL * 1.4142, FULL * 1.4142], ['#c0392b', '#2471a3', '#222'], marker);
    if (!samples.length)
      return;
    // Where the object plays: a band along the bottom.
    const g = canvas.getContext('2d');
    const t1 = samples[samples.length - 1][0] || 1, left = 50, w = canvas.width - left - 4;
    g.fillStyle = '#7dbb7d';
    for (const s of samples)
      if (s[7])
        g.fillRect(left + s[0] / t1 * w, canvas.height - 18, 1.5, 3);
  }

  function drawPointer(marker) {
    plot($('pointer'), [1, 2], [0, SCREEN.w], ['#c0392b', '#2471a3'], marker);
  }

  function colour(magnitude) {
    const f = Math.min(1, magnitude / FULL);
    return [255, Math.round(255 * (1 - f * 0.8)), Math.round(255 * (1 - f))];
  }

  function drawField(cells) {
    const canvas = $('field'), g = canvas.getContext('2d', {willReadFrequently: true});
    g.clearRect(0, 0, canvas.width, canvas.height);
    if (!cells.length)
      return;
    const columns = Math.floor(SCREEN.w / FIELD_STEP), rows = Math.floor(SCREEN.h / FIELD_STEP);
    const image = new ImageData(columns, rows);
    cells.forEach((c, i) => {
      const rgb = colour(c[4]);
      image.data.set([rgb[0], rgb[1], rgb[2], 255], i * 4);
    });
    const cellsCanvas = document.createElement('canvas');
    cellsCanvas.width = columns;
    cellsCanvas.height = rows;
    cellsCanvas.getContext('2d').putImageData(image, 0, 0);
    g.imageSmoothingEnabled = false;
    g.drawImage(cellsCanvas, 0, 0, canvas.width, canvas.height);
    // Arrows every 64 screen pixels show which way the field pushes.
    const sx = canvas.width / SCREEN.w, every = 64 / FIELD_STEP;
    g.strokeStyle = 'rgba(0,0,0,.55)';
    for (let r = every / 2; r < rows; r += every)
      for (let c = every / 2; c < columns; c += every) {
        const cell = cells[r * columns + c];
        if (cell && cell[4] > 50)
          arrow(g, cell[0] * sx, cell[1] * sx, cell[2], cell[3], 24);
      }
    fieldImage = g.getImageData(0, 0, canvas.width, canvas.height);
  }

  function clearField() {
    const canvas = $('field'), g = canvas.getContext('2d');
    g.clearRect(0, 0, canvas.width, canvas.height);
    g.fillStyle = '#666';
    g.font = '13px sans-serif';
    g.fillText(selected ? 'No position-dependent effects in this object.' : '', 20, canvas.height / 2);
    fieldImage = g.getImageData(0, 0, canvas.width, canvas.height);
  }

  function arrow(g, x, y, fx, fy, length) {
    const m = Math.hypot(fx, fy);
    if (!m)
      return;
    const l = length * Math.min(1, m / FULL) + 4, ux = fx / m, uy = fy / m;
    const ex = x + ux * l, ey = y + uy * l;
    g.beginPath();
    g.moveTo(x, y); g.lineTo(ex, ey);
    g.lineTo(ex - ux * 5 - uy * 3, ey - uy * 5 + ux * 3);
    g.moveTo(ex, ey);
    g.lineTo(ex - ux * 5 + uy * 3, ey - uy * 5 - ux * 3);
    g.stroke();
  }

  // The force under the mouse: the object just started, the pointer there and moving as the
  // mouse moves (so dampers answer).
  function probeAt(event) {
    if (!selected)
      return;
    const canvas = $('field'), box = canvas.getBoundingClientRect();
    const x = Math.round((event.clientX - box.left) / box.width * SCREEN.w);
    const y = Math.round((event.clientY - box.top) / box.height * SCREEN.h);
    const now = performance.now();
    let vx = 0, vy = 0;
    if (last && now > last.t && now - last.t < 200) {
      vx = Math.round((x - last.x) / (now - last.t) * 1000);
      vy = Math.round((y - last.y) / (now - last.t) * 1000);
    }
    last = {x, y, t: now};
    let p;
    try {
      p = studio.probe(selected, x, y, vx, vy);
    } catch (e) {
      $('readout').textContent = String(e.message || e);
      return;
    }
    const readout = $('readout');
    readout.textContent = 'pointer (' + x + ', ' + y + ') px, moving (' + vx + ', ' + vy +
        ') px/s: force (' + p.fx + ', ' + p.fy + '), magnitude ' + Math.round(p.magnitude);
    Object.entries({x, y, vx, vy, fx: p.fx, fy: p.fy}).forEach(
        ([k, v]) => readout.setAttribute('data-' + k, v));
    const g = canvas.getContext('2d');
    if (fieldImage)
      g.putImageData(fieldImage, 0, 0);
    g.strokeStyle = '#000';
    g.lineWidth = 2;
    arrow(g, x * canvas.width / SCREEN.w, y * canvas.height / SCREEN.h, p.fx, p.fy, 60);
    g.lineWidth = 1;
  }

  // --- play -----------------------------------------------------------------------------

  function stopPlay() {
    if (playing)
      cancelAnimationFrame(playing);
    playing = null;
    $('play').textContent = '▶ Play';
  }

  function play() {
    if (playing || !samples.length) {
      stopPlay();
      return;
    }
    const begin = performance.now(), end = samples[samples.length - 1][0];
    $('play').textContent = '■ Stop';
    const frame = () => {
      const t = performance.now() - begin;
      const s = samples[Math.min(samples.length - 1,
                                 samples.findIndex(row => row[0] >= t) >>> 0)];
      drawForce(s[0]);
      drawPointer(s[0]);
      $('play-note').textContent = 't = ' + (s[0] / 1000).toFixed(3) + ' s: force (' + s[4] +
          ', ' + s[5] + '), magnitude ' + Math.round(s[6]) + (s[7] ? '' : ', stopped');
      playing = t < end ? requestAnimationFrame(frame) : (stopPlay(), null);
    };
    playing = requestAnimationFrame(frame);
  }

  // --- wiring ---------------------------------------------------------------------------

  function download(data, name, type) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([data], {type}));
    a.download = name;
    document.body.appendChild(a);
    a.click();
    setTimeout(() => { URL.revokeObjectURL(a.href); a.remove(); }, 1000);
  }

  function stem() { return (projectName || 'project').replace(/\.(tvx|json)$/i, ''); }

  function wire() {
    $('file').addEventListener('change', event => {
      const file = event.target.files[0];
      if (file)
        openFile(file);
      event.target.value = '';
    });
    document.addEventListener('dragover', event => event.preventDefault());
    document.addEventListener('drop', event => {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (file)
        openFile(file);
    });
    $('samples').addEventListener('change', event => {
      const name = event.target.value;
      event.target.value = '';
      if (name)
        fetch('samples/' + name).then(r => {
          if (!r.ok)
            throw new Error(r.status + ' ' + r.statusText);
          return r.arrayBuffer();
        }).then(b => openBytes(new Uint8Array(b), name),
                e => message('Could not fetch ' + name + ': ' + e.message, 'error'));
    });
    $('undo').addEventListener('click', () => report(studio.undo()));
    $('redo').addEventListener('click', () => report(studio.redo()));
    document.addEventListener('keydown', event => {
      if (!(event.ctrlKey || event.metaKey) || event.target.tagName === 'INPUT')
        return;
      if (event.key === 'z') report(studio.undo());
      else if (event.key === 'y') report(studio.redo());
    });
    $('save-tvx').addEventListener('click', () =>
        download(studio.save('tvx'), stem() + '.tvx', 'application/octet-stream'));
    $('save-json').addEventListener('click', () =>
        download(studio.save('json'), stem() + '.json', 'application/json'));
    $('add-object').addEventListener('click', () => {
      const p = studio.project();
      if (!p)
        return message('Open a project first.', 'error');
      const type = $('effect-type').value;
      let n = 1;
      while (p.objects.some(o => o.name === 'New ' + type + ' ' + n))
        ++n;
      const name = 'New ' + type + ' ' + n;
      if (report(studio.addObject({name, type, properties: {}})).ok)
        select(name);
    });
    $('rename-object').addEventListener('click', () => {
      const name = selected && prompt('New name of "' + selected + '"', selected);
      if (name && name !== selected && report(studio.renameObject(selected, name)).ok)
        select(name);
    });
    $('remove-object').addEventListener('click', () => {
      if (selected)
        report(studio.removeObject(selected));
    });
    $('add-effect').addEventListener('click', () =>
        report(studio.addEffect(selected, $('effect-type').value)));
    for (const id of ['path', 'duration', 'rate'])
      $(id).addEventListener('change', () => { stopPlay(); drawPictures(); });
    $('play').addEventListener('click', play);
    $('field').addEventListener('mousemove', probeAt);
    $('field').addEventListener('mouseleave', () => {
      last = null;
      if (fieldImage)
        $('field').getContext('2d').putImageData(fieldImage, 0, 0);
    });
  }

  function fillChoices() {
    const types = studio.schema().$defs.object.properties.type.enum;
    for (const type of types) {
      const option = document.createElement('option');
      option.textContent = type;
      $('effect-type').appendChild(option);
    }
    fetch('samples/index.json').then(r => r.json()).then(names => {
      for (const name of names)
        for (const kind of ['tvx', 'json']) {
          const option = document.createElement('option');
          option.value = name + '.' + kind;
          option.textContent = name + '.' + kind;
          $('samples').appendChild(option);
        }
    }, () => {});
  }

  window.studioPage = {openBytes, select, redraw: drawPictures, timings};
  window.tklStudioReady.then(s => {
    studio = s;
    studio.onChange(refresh);
    wire();
    fillChoices();
    refresh();
  }, error => message('The studio module did not start: ' + error, 'error'));
})();
