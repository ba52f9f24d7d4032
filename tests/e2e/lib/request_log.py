#!/usr/bin/env python3
"""Prints the stand-in service's request log in a form a test can diff.

Usage: request_log.py LOG [--headers-for HOST]...

One line per request, "METHOD HOST TARGET", in the order they arrived.
For the hosts named with --headers-for, the request's header lines follow,
indented, as "name: value" with the names lower-cased and sorted (header
names are case-insensitive and their order is the client's business). A
Cookie header is shown as its name=value items in order, joined by "; ",
so that a trailing ";" or blank does not matter.
"""

import argparse
import json


def cookie_items(value):
    items = [item.strip() for item in value.split(";")]
    return "; ".join(item for item in items if item)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--headers-for", action="append", default=[])
    options = parser.parse_args()
    with open(options.log, encoding="utf-8") as log:
        for line in log:
            request = json.loads(line)
            print(f'{request["method"]} {request["host"]} {request["target"]}')
            if request["host"] not in options.headers_for:
                continue
            headers = []
            for name, value in request["headers"]:
                name = name.lower()
                if name == "cookie":
                    value = cookie_items(value)
                headers.append((name, value))
            for name, value in sorted(headers):
                print(f"    {name}: {value}")


if __name__ == "__main__":
    main()
