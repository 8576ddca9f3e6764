"""The project schema read by a standard JSON Schema validator: the schema itself is valid
draft 2020-12, the sample projects conform, and a description of mistakes does not.
Run as: python3 schema_standard.py SCHEMA MISTAKES SAMPLE..."""
import json
import sys

import jsonschema

schema_path, mistakes_path, samples = sys.argv[1], sys.argv[2], sys.argv[3:]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failed = False
for path in samples:
    with open(path, encoding="utf-8") as f:
        for error in validator.iter_errors(json.load(f)):
            print(f"{path}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
            failed = True
with open(mistakes_path, encoding="utf-8") as f:
    found = {"/".join(map(str, e.absolute_path)) for e in validator.iter_errors(json.load(f))}
# The schema's share of the mistakes (names given twice and repeated keys are the tool's).
# (A standard validator places an unknown key at the object that holds it.)
expected = {"objects/0/properties/Magnitude", "objects/1/properties",
            "objects/2/properties/Magnitude", "objects/3/name", "objects/5/type",
            "objects/7"}
if found != expected:
    print(f"{mistakes_path}: the standard validator finds {sorted(found)}, not {sorted(expected)}")
    failed = True
sys.exit(1 if failed else 0)
