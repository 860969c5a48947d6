#!/usr/bin/env python3
"""kinoha-step --format json against the committed schema, on the sample projects (all counted)
and on a tree with a failed project, a warned one and a repeat, so that every branch of the
schema is met. Usage: json_schema_test.py KINOHA_STEP SCHEMA EXAMPLES_DIR"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

import jsonschema

program, schema_path, examples = (os.path.abspath(a) for a in sys.argv[1:4])
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)


def run(args, cwd, output=None):
    extra = ["--stdout", "--output", output] if output else []
    done = subprocess.run([program, "--format", "json", *extra, *args], cwd=cwd,
                          capture_output=True)
    if output:
        with open(output, "rb") as f:
            text = f.read().decode("ascii")  # the output is ASCII only
    else:
        text = done.stdout.decode("ascii")
    result = json.loads(text)
    validator.validate(result)
    assert result["exitStatus"] == done.returncode, (result["exitStatus"], done.returncode)
    return result


with tempfile.TemporaryDirectory() as tmp:
    tree = os.path.join(tmp, "examples")
    shutil.copytree(examples, tree)
    good = run(["examples"], tmp)
    assert good["exitStatus"] == 0 and good["total"]["counted"] == 3, good["total"]
    assert good["repeatsSkipped"] == 2
    assert all(p["report"].endswith("_Step.csv") for p in good["projects"])
    names = [m["name"] for p in good["projects"] for m in p["members"]]
    assert "M共通" in names, names  # non-ASCII names survive the \u escapes

    bad = os.path.join(tree, "Bad")
    os.makedirs(bad)
    with open(os.path.join(bad, "Bad.vbp"), "wb") as f:
        f.write(b"Form=gone.frm\r\n")
    with open(os.path.join(bad, "Lf.vbp"), "wb") as f:
        f.write(b"Type=Exe\nName=\"Lf\"\n")
    mixed = run(["examples"], tmp, os.path.join(tmp, "out.json"))
    states = sorted(p["state"] for p in mixed["projects"])
    assert states == ["counted"] * 3 + ["failed", "warning"], states
    assert mixed["exitStatus"] == 1
print("kinoha-step json output matches the schema")
