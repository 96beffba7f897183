#!/usr/bin/python3
"""Builds the builder's HTML user guide from docs/user-guide.md with
python3-markdown (Debian's package): one page, UTF-8, each help topic's
heading keeping the anchor written after it ({#help-N}).

    make_guide_html.py USER_GUIDE_MD OUTPUT_HTML
"""
import html
import sys

import markdown


def main():
    source, target = sys.argv[1:3]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    title = text.splitlines()[0].lstrip("# ").strip() if text else "User guide"
    body = markdown.markdown(text, extensions=["attr_list", "sane_lists"], output_format="html")
    page = (
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        f"<title>{html.escape(title)}</title>\n"
        "<style>body{font-family:sans-serif;max-width:46em;margin:1em auto;padding:0 1em;line-height:1.4}"
        "code{background:#eee;padding:0 .2em}</style>\n</head>\n<body>\n"
        f"{body}\n</body>\n</html>\n"
    )
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
