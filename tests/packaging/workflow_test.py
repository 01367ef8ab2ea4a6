#!/usr/bin/python3
"""The forge's workflow runs nothing but the project's own scripts, each
there and runnable; pins every action by commit; asks for permissions job
by job; and releases on a tag that names the version CMakeLists.txt sets.

usage: workflow_test.py SOURCE_DIR VERSION
"""

import os
import re
import shlex
import sys

import yaml

source, version = sys.argv[1:3]
with open(os.path.join(source, ".github", "workflows", "ci.yml")) as f:
    workflow = yaml.safe_load(f)
faults = []

triggers = workflow[True]  # YAML 1.1 reads the key "on" as true
tags = triggers["push"]["tags"]


def glob_matches(pattern, text):
    """The forge's filter patterns: * is any run of characters but /, ? one,
    [...] a class."""
    expression = "".join(".?" if c == "?" else "[^/]*" if c == "*" else c if c in "[]-" else re.escape(c)
                         for c in pattern)
    return re.fullmatch(expression, text) is not None


if not any(glob_matches(t, f"v{version}") for t in tags):
    faults.append(f"no tag pattern of {tags} matches v{version}")
for wrong in (f"v{version}x", version, "vnext"):
    if any(glob_matches(t, wrong) for t in tags):
        faults.append(f"the tag pattern {tags} matches {wrong!r} too")

if workflow.get("permissions") != {}:
    faults.append("the workflow grants permissions to every job")
for name, job in workflow["jobs"].items():
    if "permissions" not in job:
        faults.append(f"job {name} does not say what it needs")
    for step in job["steps"]:
        if "uses" in step and not re.fullmatch(r"[\w.-]+/[\w.-]+@[0-9a-f]{40}", step["uses"]):
            faults.append(f"job {name}: {step['uses']} is not pinned by commit")
        if "run" in step:
            command = shlex.split(step["run"])
            path = os.path.join(source, command[0])
            if len(step["run"].splitlines()) != 1 or not os.access(path, os.X_OK):
                faults.append(f"job {name} runs {step['run']!r}, which is not one of the project's scripts")

for fault in faults:
    print("FAILED  " + fault)
print("every check passed" if not faults else f"{len(faults)} checks failed")
sys.exit(1 if faults else 0)
