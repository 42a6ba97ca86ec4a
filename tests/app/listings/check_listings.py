#!/usr/bin/env python3
"""Checks what scripts read from biwplan on the demo's document.

Runs the demo keeping the document after each step, then
- validates every listing and one `show` of each kind of the final document,
  its weld and locator reports under each filter, and each step's `diff --format json`,
  against docs/listing.schema.json with
  the jsonschema validator (Debian's python3-jsonschema);
- compares each step's `diff` table with demo-diff.expected.

Arguments: BIWPLAN SCHEMA EXPECTED WORK
"""
import difflib
import json
import os
import pathlib
import shutil
import subprocess
import sys

import jsonschema

KINDS = {"products": "product:{path}", "activities": "process:{path}", "fasteners": "fastener:{name}",
         "joints": "feature:{name}", "features": "feature:{name}"}


def biwplan(*words, statuses=(0,)):
    run = subprocess.run([BIWPLAN, *map(str, words)], capture_output=True, text=True, cwd=WORK)
    if run.returncode not in statuses:
        sys.exit(f"biwplan {' '.join(map(str, words))}: exit {run.returncode}\n{run.stderr}")
    return run.stdout


BIWPLAN, SCHEMA, EXPECTED, WORK = (os.path.abspath(argument) for argument in sys.argv[1:5])
shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
os.environ["BIWPLAN_SETTINGS_DIR"] = os.path.join(WORK, "settings")
validator = jsonschema.Draft202012Validator(json.loads(pathlib.Path(SCHEMA).read_text()))
biwplan("demo", "--dir", WORK, "--keep-steps")

document = pathlib.Path(WORK, "underbody.biwplan.json")
for kind, reference in KINDS.items():
    listing = json.loads(biwplan("list", document, kind, "--format", "json"))
    validator.validate(listing)
    if not listing["items"]:
        sys.exit(f"the demo's document lists no {kind}")
    shown = json.loads(biwplan("show", document, reference.format(**listing["items"][-1]), "--format", "json"))
    validator.validate(shown)
    if shown["items"] != listing["items"][-1:]:
        sys.exit(f"show does not print the {kind} record that list prints")

for subject in ("welds", "locators"):
    reported = {}
    for report_filter in ("all", "assigned", "unassigned", "multi"):
        report = json.loads(biwplan("report", subject, document, "--filter", report_filter, "--format", "json"))
        validator.validate(report)
        reported[report_filter] = len(report["items"])
    if reported["all"] != reported["assigned"] + reported["unassigned"] or not reported["assigned"]:
        sys.exit(f"the {subject} report's filters do not add up: {reported}")

steps = sorted(pathlib.Path(WORK).glob("[0-9][0-9]-*.json"))
actual = ""
for before, after in zip(steps, steps[1:]):
    validator.validate(json.loads(biwplan("diff", before, after, "--format", "json", statuses=(0, 1))))
    actual += f"== {after.stem}\n" + biwplan("diff", before, after, statuses=(0, 1))
expected = pathlib.Path(EXPECTED).read_text()
if actual != expected:
    pathlib.Path(WORK, "actual.txt").write_text(actual)
    sys.stdout.writelines(difflib.unified_diff(expected.splitlines(True), actual.splitlines(True),
                                               EXPECTED, "actual"))
    sys.exit("the steps' differences are not those expected")
print(f"checked {len(KINDS)} listings, {len(KINDS)} records shown, 8 accountability reports and {len(steps) - 1} steps' differences")
