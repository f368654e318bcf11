#!/usr/bin/env python3
"""Writes the manual pages fragtide-report(1) and fragtide(1) from docs/cli.md, so that the
command line is described in one place.

Usage: cli_man.py CLI_MD VERSION OUT_DIR

docs/cli.md is read as the small part of Markdown it uses: "#" and "##" headings, paragraphs,
"-" lists (an item goes on in the lines indented under it), pipe tables, fenced code blocks,
`code`, **bold** and [links](target). Its "## The window" section becomes fragtide(1); the rest,
fragtide-report(1). The first code block is the synopsis; the text before the first "##" heading
is the description. Anything else the converter cannot read stops it with a message naming the
line, so a change to docs/cli.md never turns into a broken page unseen.
"""
import os
import re
import sys

WINDOW_HEADING = "The window"


def fail(number, message):
    sys.exit(f"cli_man.py: docs/cli.md line {number}: {message}")


def escape(text):
    """Plain text as roff: backslashes and dashes as roff writes them."""
    return text.replace("\\", "\\e").replace("-", "\\-")


def inline(text):
    """Markdown inline markup as roff fonts: `code` and **bold** in bold, links as their text."""
    text = re.sub(r"\[([^\]]+)\]\([^)]+\)", r"\1", text)
    out = []
    pos = 0
    for match in re.finditer(r"`([^`]+)`|\*\*([^*]+)\*\*", text):
        out.append(escape(text[pos:match.start()]))
        inner = match.group(1) if match.group(1) is not None else match.group(2)
        out.append("\\fB" + escape(inner) + "\\fR")
        pos = match.end()
    out.append(escape(text[pos:]))
    # "\|" in a table cell is a pipe in the text.
    return "".join(out).replace("\\e|", "|")


def line_out(text):
    """One line of running text; a line that begins with a dot or a quote would be a request."""
    if text.startswith((".", "'")):
        return "\\&" + text
    return text


def split_row(line):
    cells = re.split(r"(?<!\\)\|", line.strip())
    return [c.strip() for c in cells[1:-1]]


class Page:
    def __init__(self):
        self.lines = []

    def text(self, text):
        self.lines.append(line_out(inline(text)))

    def request(self, text):
        self.lines.append(text)


def render(blocks, page, nested=False):
    """Markdown blocks (kind, payload, line number) as roff requests; `nested` inside a list item,
    whose indent they keep."""
    start = '.IP "" 2' if nested else ".PP"
    for kind, payload, number in blocks:
        if kind == "heading":
            page.request('.SH "' + inline(payload).upper().replace('"', "") + '"')
        elif kind == "para":
            page.request(start)
            for text in payload:
                page.text(text)
        elif kind == "code":
            page.request(start)
            page.request(".nf")
            for text in payload:
                page.lines.append(line_out(escape("  " + text)) if text else "")
            page.request(".fi")
        elif kind == "list":
            for item in payload:
                page.request('.IP \\(bu 2')
                for part in item:
                    if isinstance(part, tuple):
                        render([part], page, nested=True)
                    else:
                        page.text(part)
        elif kind == "table":
            header, rows = payload
            if len(header) == 2:
                # A term and its meaning (an option, a status, a name): as manual pages list options.
                for row in rows:
                    page.request(".TP")
                    page.text(row[0])
                    page.text(" ".join(row[1:]))
            else:
                page.request(".PP")
                for row in rows:
                    page.text(": ".join(row))
                    page.request(".br")
        else:
            fail(number, f"unknown block {kind}")


def parse(lines, first):
    """Markdown lines (numbered from `first`) as blocks."""
    blocks = []
    i = 0
    while i < len(lines):
        number = first + i
        line = lines[i]
        if not line.strip():
            i += 1
        elif line.startswith("```"):
            end = i + 1
            while end < len(lines) and not lines[end].startswith("```"):
                end += 1
            if end == len(lines):
                fail(number, "a code block is not closed")
            blocks.append(("code", lines[i + 1:end], number))
            i = end + 1
        elif line.startswith("#"):
            fail(number, "a heading inside a section")
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(split_row(lines[i]))
                i += 1
            if len(rows) < 2 or not all(re.fullmatch(r":?-+:?", c) for c in rows[1]):
                fail(number, "a table without its header line")
            blocks.append(("table", (rows[0], rows[2:]), number))
        elif line.startswith("- "):
            items = []
            while i < len(lines):
                current = lines[i]
                if current.startswith("- "):
                    items.append(([current[2:]], first + i))
                elif current.startswith("  "):
                    items[-1][0].append(current[2:])
                elif not current.strip() and i + 1 < len(lines) and lines[i + 1].startswith(("  ", "- ")):
                    items[-1][0].append("")  # a blank line inside the list, not after it
                else:
                    break
                i += 1
            blocks.append(("list", [list_item(text, at) for text, at in items], number))
        else:
            para = []
            while i < len(lines) and lines[i].strip() and not lines[i].startswith(("```", "#", "|", "- ")):
                para.append(lines[i].strip())
                i += 1
            blocks.append(("para", para, number))
    return blocks


def list_item(text_lines, number):
    """An item's text as running lines, then any blocks (code, tables) indented under it."""
    while text_lines and not text_lines[-1].strip():
        text_lines.pop()
    head = []
    i = 0
    while i < len(text_lines) and text_lines[i].strip():
        head.append(text_lines[i].strip())
        i += 1
    rest = parse(text_lines[i:], number + i) if i < len(text_lines) else []
    return head + rest


def sections(source):
    """(title, first line number, lines) for the text before the first "##" and each "##" section."""
    result = []
    title, start, body = None, 1, []
    for number, line in enumerate(source, 1):
        if line.startswith("## "):
            result.append((title, start, body))
            title, start, body = line[3:].strip(), number + 1, []
        elif line.startswith("# "):
            start = number + 1
        else:
            body.append(line)
    result.append((title, start, body))
    return result


def header(name, version, summary):
    return [
        f'.TH "{name.upper()}" "1" "" "Fragtide {version}" "User Commands"',
        ".SH NAME",
        f"{escape(name)} \\- {escape(summary)}",
    ]


def page_of(name, version, summary, synopsis, description, rest, see_also):
    page = Page()
    page.lines.extend(header(name, version, summary))
    page.request(".SH SYNOPSIS")
    page.request(".nf")
    for text in synopsis:
        page.lines.append(line_out(escape(text.strip())))
    page.request(".fi")
    page.request(".SH DESCRIPTION")
    render(description, page)
    render(rest, page)
    page.request('.SH "SEE ALSO"')
    page.text(see_also)
    # Characters past ASCII as roff's named code points, so no input encoding is assumed.
    return "".join(c if ord(c) < 128 else f"\\[u{ord(c):04X}]" for c in "\n".join(page.lines)) + "\n"


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: cli_man.py CLI_MD VERSION OUT_DIR")
    path, version, out = sys.argv[1:]
    with open(path, encoding="utf-8") as f:
        source = f.read().split("\n")

    report_blocks, window_blocks = [], None
    intro = None
    for title, start, body in sections(source):
        blocks = parse(body, start)
        if title is None:
            intro = blocks
        elif title == WINDOW_HEADING:
            window_blocks = blocks
        else:
            report_blocks.append(("heading", title, start - 1))
            report_blocks.extend(blocks)
    if window_blocks is None:
        fail(len(source), f'no "## {WINDOW_HEADING}" section for fragtide(1)')

    def split_intro(blocks, what):
        codes = [b for b in blocks if b[0] == "code"]
        if not codes:
            fail(1, f"no synopsis (a code block) for {what}")
        synopsis = codes[0]
        return synopsis[1], [b for b in blocks if b is not synopsis]

    synopsis, description = split_intro(intro, "fragtide-report")
    window_synopsis, window_description = split_intro(window_blocks, "fragtide")

    os.makedirs(out, exist_ok=True)
    pages = {
        "fragtide-report.1": page_of("fragtide-report", version, "frag statistics of game logs on the command line",
                                     synopsis, description, report_blocks, "fragtide(1)"),
        "fragtide.1": page_of("fragtide", version, "frag statistics of game logs in a window",
                              window_synopsis, window_description, [], "fragtide-report(1)"),
    }
    for name, text in pages.items():
        with open(os.path.join(out, name), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
