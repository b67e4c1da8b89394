#!/usr/bin/env python3
"""Checks one velmaroctl --json output against the shapes documented in
the manual page's source, packaging/manual.md (its ```json block).

    check_json.py DOC KIND FILE

Exits 0 when FILE holds exactly one JSON object of shape KIND with
snake_case keys (the "raw" object of show --raw aside), else prints what is
wrong and exits 1."""
import json
import re
import sys

SNAKE = re.compile(r"^[a-z][a-z0-9]*(_[a-z0-9]+)*$")
TYPES = {
    "string": lambda v: isinstance(v, str),
    "integer": lambda v: isinstance(v, int) and not isinstance(v, bool),
    "boolean": lambda v: isinstance(v, bool),
    "object": lambda v: isinstance(v, dict),
    "null": lambda v: v is None,
}


def shapes_from(doc_path):
    text = open(doc_path, encoding="utf-8").read()
    block = re.search(r"```json\n(.*?)```", text, re.S)
    if not block:
        sys.exit(f"{doc_path}: no ```json block")
    return json.loads(block.group(1))


def check(value, shape, where, defs, problems):
    if isinstance(shape, str) and shape.startswith("$"):
        return check(value, defs[shape[1:]], where, defs, problems)
    if isinstance(shape, str):
        if not any(TYPES[t](value) for t in shape.split("|")):
            problems.append(f"{where}: {json.dumps(value)} is not {shape}")
        return
    if isinstance(shape, (int, float)) and not isinstance(shape, bool):
        if value != shape or isinstance(value, bool):
            problems.append(f"{where}: {json.dumps(value)} is not {shape}")
        return
    if isinstance(shape, list):
        if not isinstance(value, list):
            problems.append(f"{where}: not a list")
            return
        for i, item in enumerate(value):
            check(item, shape[0], f"{where}[{i}]", defs, problems)
        return
    if not isinstance(value, dict):
        problems.append(f"{where}: not an object")
        return
    for key, sub in shape.items():
        name = key.lstrip("?")
        if name in value:
            check(value[name], sub, f"{where}.{name}", defs, problems)
        elif not key.startswith("?"):
            problems.append(f"{where}: no key {name}")
    allowed = {key.lstrip("?") for key in shape}
    for key in value:
        if key not in allowed:
            problems.append(f"{where}: key {key} is not documented")


def check_keys(value, where, problems):
    if isinstance(value, dict):
        for key, sub in value.items():
            if not SNAKE.match(key):
                problems.append(f"{where}: key {key} is not snake_case")
            if key != "raw":
                check_keys(sub, f"{where}.{key}", problems)
    elif isinstance(value, list):
        for i, item in enumerate(value):
            check_keys(item, f"{where}[{i}]", problems)


def main():
    doc, kind, path = sys.argv[1:4]
    shapes = shapes_from(doc)
    try:
        value = json.load(open(path, encoding="utf-8"))
    except ValueError as error:
        print(f"not one JSON value: {error}")
        return 1
    problems = []
    check_keys(value, "$", problems)
    check(value, shapes[kind], "$", shapes.get("definitions", {}), problems)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
