// window.tklStudio: the studio's scripting interface over the WebAssembly module (the class
// library, the software force mouse, tkl-play's player and tvx's project code). The page uses
// it and nothing else; tests and users script it the same way. Resolved by
// `await window.tklStudioReady`.
//
// Project
//   open(bytes, fileName) -> {ok: true, objects: [names]} | {ok: false, error}
//       bytes: a Uint8Array of a .tvx file or of JSON text. A refused project changes nothing.
//   objects() -> [{name, index, type, effects: [{kind, positional}], emptyProfile}]
//   project() -> the project's JSON description (a fresh copy; edit it through the calls below)
//   save('tvx') -> Uint8Array, what `tvx build` writes from save('json')
//   save('json') -> the JSON text
//   schema() -> the project schema (types, keys, ranges, defaults, units)
// Forces (each throws an Error saying why for an unknown object or a refused option)
//   playCsv(objectName, {path, duration, rate}) -> the CSV text tkl-play writes for the object
//       with --path (still|line|circle|sweep), --duration s, --rate Hz; "" when it does not play
//   fieldCsv(objectName, step) -> tkl-play's NAME-field.csv with --map-step step; "" for an
//       object without position-dependent effects
//   probe(objectName, x, y, vx, vy) -> {fx, fy, magnitude, playing}: the force the object
//       gives, just started, with the pointer at (x, y) px moving at (vx, vy) px/s
// Editing: each edit is checked by the schema and the library before it replaces the project;
// each returns {ok: true} or {ok: false, error} (the project unchanged)
//   setProperty(objectName, key, value)   value null: remove the key (its default applies)
//   addObject({name, type, properties})   appended to the object list
//   renameObject(oldName, newName)        references by name in compounds follow
//   removeObject(name)                    and every reference to it
//   addEffect(objectName, type)           a new object of that type, contained by the compound
//   removeEffect(objectName, memberName)  no longer contained (the member object stays)
//   undo(), redo()                        the project before / after the last edit
//   canUndo(), canRedo()
//   onChange(callback)                    called after every change of the project
(function () {
  'use strict';

  function studioApi(m) {
    const fn = (name, ret, args) => m.cwrap('tkl_studio_' + name, ret, args);
    // A text result, or null where the module answers with a null pointer (a failure).
    const text = (name, args) => {
      const call = fn(name, 'number', args);
      return (...values) => {
        const at = call(...values);
        return at ? m.UTF8ToString(at) : null;
      };
    };
    const c = {
      error: text('error', []),
      alloc: fn('alloc', 'number', ['number']),
      release: fn('release', null, ['number']),
      open: text('open', ['number', 'number', 'string']),
      objects: text('objects', []),
      playCsv: text('play_csv', ['string', 'string', 'number', 'number']),
      fieldCsv: text('field_csv', ['string', 'number']),
      note: text('note', []),
      schema: text('schema', []),
      saveJson: text('save_json', []),
      saveTvx: fn('save_tvx', 'number', ['number']),
      probe: text('probe', ['string', 'number', 'number', 'number', 'number']),
    };
    let objects = [];
    let description = null;  // the project's JSON, parsed
    const undoStack = [], redoStack = [];
    const listeners = [];
    let schema = null;

    function failure() { return new Error(c.error() || 'failed'); }

    function load(bytes, label) {
      const at = c.alloc(bytes.length);
      if (!at)
        return {ok: false, error: 'out of memory'};
      m.HEAPU8.set(bytes, at);
      const result = c.open(at, bytes.length, label);
      c.release(at);
      if (result === null)
        return {ok: false, error: c.error()};
      objects = JSON.parse(result);
      description = JSON.parse(c.saveJson());
      const listed = description.objects || [];
      objects.forEach((o, i) => { o.type = listed[i] ? listed[i].type : ''; });
      return {ok: true, objects: objects.map(o => o.name)};
    }

    function changed() { listeners.forEach(f => f()); }

    // Replaces the project with an edited description; the old one goes on the undo stack.
    function apply(next, label) {
      const before = c.saveJson();
      const result = load(new TextEncoder().encode(JSON.stringify(next, null, 2) + '\n'), label);
      if (!result.ok)
        return result;
      undoStack.push(before);
      redoStack.length = 0;
      changed();
      return {ok: true};
    }

    function restore(from, to) {
      if (!from.length)
        return {ok: false, error: 'nothing to ' + (from === undoStack ? 'undo' : 'redo')};
      const current = c.saveJson();
      const result = load(new TextEncoder().encode(from[from.length - 1]), 'project');
      if (!result.ok)
        return result;
      from.pop();
      to.push(current);
      changed();
      return {ok: true};
    }

    function edited(mutate, label) {
      if (!description)
        return {ok: false, error: 'no project is open'};
      const next = JSON.parse(JSON.stringify(description));
      next.objects = next.objects || [];
      const problem = mutate(next);
      return problem ? {ok: false, error: problem} : apply(next, label);
    }

    const named = (d, name) => d.objects.find(o => o.name === name);
    const referencesTo = (o) => [o.name].concat(o.id ? [o.id] : []);
    function uniqueName(d, base) {
      for (let n = 1; ; ++n) {
        const candidate = base + ' ' + n;
        if (!named(d, candidate))
          return candidate;
      }
    }

    function answer(result) {
      if (result === null)
        throw failure();
      return result;
    }

    return {
      open(bytes, fileName) {
        if (!(bytes instanceof Uint8Array))
          return {ok: false, error: 'open: expected the file\'s bytes as a Uint8Array'};
        const result = load(bytes, String(fileName || 'project'));
        if (result.ok) {
          undoStack.length = 0;
          redoStack.length = 0;
          changed();
        }
        return result;
      },
      objects() { return JSON.parse(JSON.stringify(objects)); },
      project() { return description ? JSON.parse(JSON.stringify(description)) : null; },
      schema() {
        if (!schema)
          schema = JSON.parse(c.schema());
        return schema;
      },
      save(format) {
        if (format === 'json')
          return c.saveJson();
        if (format !== 'tvx')
          throw new Error('save: the format is "tvx" or "json"');
        const sizeAt = c.alloc(4);
        const at = c.saveTvx(sizeAt);
        const size = m.HEAP32[sizeAt >> 2];
        c.release(sizeAt);
        if (!at)
          throw failure();
        return m.HEAPU8.slice(at, at + size);
      },
      playCsv(objectName, options) {
        const o = Object.assign({path: 'sweep', duration: 2, rate: 1000}, options || {});
        return answer(c.playCsv(String(objectName), String(o.path), Number(o.duration),
                              Number(o.rate)));
      },
      fieldCsv(objectName, step) {
        return answer(c.fieldCsv(String(objectName), step === undefined ? 4 : Number(step)));
      },
      note() { return c.note(); },
      probe(objectName, x, y, vx, vy) {
        const parts = answer(c.probe(String(objectName), x | 0, y | 0, vx | 0, vy | 0)).split(',');
        const fx = Number(parts[0]), fy = Number(parts[1]);
        return {fx, fy, magnitude: Math.sqrt(fx * fx + fy * fy), playing: Number(parts[2])};
      },
      setProperty(objectName, key, value) {
        return edited(d => {
          const o = named(d, objectName);
          if (!o)
            return 'no object "' + objectName + '"';
          if (Array.isArray(o.properties))
            return '"' + objectName + '" lists its properties as raw pairs; edit the JSON';
          o.properties = o.properties || {};
          if (value === null || value === undefined)
            delete o.properties[key];
          else
            o.properties[key] = value;
        }, '"' + objectName + '", "' + key + '"');
      },
      addObject(object) {
        return edited(d => { d.objects.push(JSON.parse(JSON.stringify(object))); },
                      'new object');
      },
      renameObject(oldName, newName) {
        return edited(d => {
          const o = named(d, oldName);
          if (!o)
            return 'no object "' + oldName + '"';
          if (named(d, newName))
            return 'the project already has an object "' + newName + '"';
          o.name = newName;
          d.objects.forEach(c => {
            if (Array.isArray(c.contains))
              c.contains = c.contains.map(r => (r === oldName ? newName : r));
          });
        }, 'renaming "' + oldName + '"');
      },
      removeObject(name) {
        return edited(d => {
          const o = named(d, name);
          if (!o)
            return 'no object "' + name + '"';
          const refs = referencesTo(o);
          d.objects = d.objects.filter(x => x !== o);
          d.objects.forEach(c => {
            if (Array.isArray(c.contains))
              c.contains = c.contains.filter(r => refs.indexOf(r) < 0);
          });
        }, 'removing "' + name + '"');
      },
      addEffect(objectName, type) {
        return edited(d => {
          const o = named(d, objectName);
          if (!o || o.type !== 'Compound')
            return 'effects are added to a compound object';
          if (!Array.isArray(o.contains))
            return '"' + objectName + '" lists its members as raw identifiers; edit the JSON';
          const member = {name: uniqueName(d, objectName + ' ' + type), type, properties: {}};
          d.objects.push(member);
          o.contains.push(member.name);
        }, 'new ' + type + ' in "' + objectName + '"');
      },
      removeEffect(objectName, memberName) {
        return edited(d => {
          const o = named(d, objectName);
          if (!o || !Array.isArray(o.contains))
            return 'no compound "' + objectName + '"';
          const member = named(d, memberName);
          const refs = member ? referencesTo(member) : [memberName];
          const before = o.contains.length;
          o.contains = o.contains.filter(r => refs.indexOf(r) < 0);
          if (o.contains.length === before)
            return '"' + objectName + '" does not contain "' + memberName + '"';
        }, 'removing "' + memberName + '" from "' + objectName + '"');
      },
      undo() { return restore(undoStack, redoStack); },
      redo() { return restore(redoStack, undoStack); },
      canUndo() { return undoStack.length > 0; },
      canRedo() { return redoStack.length > 0; },
      onChange(callback) { listeners.push(callback); },
    };
  }

  window.tklStudioReady = createTklStudioModule().then(m => {
    window.tklStudio = studioApi(m);
    return window.tklStudio;
  });
})();
