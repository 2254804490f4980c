#!/usr/bin/python3
"""The demo database's T-SQL script parses with a real T-SQL parser, statement by statement.

Usage: tsql_script_test.py MKDEMO FOLDER. Debian's sqlglot (10.6) does not know the IDENTITY column
property; it is counted and taken out before parsing, everything else is parsed as written."""
import os
import re
import subprocess
import sys

import sqlglot
from sqlglot import exp

mkdemo, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)
script = os.path.join(folder, "demo.sql")
subprocess.run([mkdemo, "--tsql", script], check=True)
text = open(script, encoding="utf-8").read()

identities = len(re.findall(r" IDENTITY\(1,1\)", text))
text = text.replace(" IDENTITY(1,1)", "")
batches = [b for b in re.split(r"^GO$", text, flags=re.M) if b.strip()]
kinds = {}
for batch in batches:
    for statement in sqlglot.parse(batch, read="tsql"):
        if statement is None:
            continue
        kind = type(statement).__name__
        if isinstance(statement, exp.Create):
            kind = "Create " + str(statement.args.get("kind"))
        kinds[kind] = kinds.get(kind, 0) + 1

print(kinds, "identity columns:", identities)
failures = []
if kinds.get("Create TABLE", 0) < 100:
    failures.append("too few tables: %s" % kinds.get("Create TABLE"))
if kinds.get("Create VIEW", 0) < 20:
    failures.append("too few views: %s" % kinds.get("Create VIEW"))
if kinds.get("Create INDEX", 0) < 20:
    failures.append("too few indexes: %s" % kinds.get("Create INDEX"))
if kinds.get("Insert", 0) < 50:
    failures.append("too few inserts: %s" % kinds.get("Insert"))
if identities < 50:
    failures.append("too few identity columns: %d" % identities)
if "N'Sklep Spożywczy O''Hara'" not in text:
    failures.append("a name with an apostrophe is not written as the server reads it")
if os.path.exists(script + ".part"):
    failures.append("the temporary script was left behind")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
