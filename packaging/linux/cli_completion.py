#!/usr/bin/env python3
"""Writes the bash completion of fragtide-report from its own --help, so that the options, their
values and the games it offers are the program's, whatever games the catalogue holds.

Usage: cli_completion.py FRAGTIDE_REPORT OUT_FILE

Read from the help: every "--option" of the option list; the values written in the usage line as
"--option a|b|c" (words only; GAME, FILE and the like are placeholders); the short game names of
the "Games:" list, offered for --game with "auto". Anything else completes file names.
"""
import re
import subprocess
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: cli_completion.py FRAGTIDE_REPORT OUT_FILE")
    text = subprocess.run([sys.argv[1], "--help"], check=True, capture_output=True, text=True).stdout
    usage, _, rest = text.partition("\n\n")

    options = sorted(set(re.findall(r"^\s+(--[a-z][a-z-]*)", rest, re.M)))
    values = {}
    for option, choices in re.findall(r"(--[a-z][a-z-]*) ([^\s\]]+)", usage):
        words = [w for w in choices.split("|") if re.fullmatch(r"[a-z0-9][a-z0-9-]*", w)]
        if words:
            values.setdefault(option, []).extend(w for w in words if w not in values.get(option, []))
    games_text = text.split("\nGames:\n", 1)
    if len(games_text) != 2:
        sys.exit("cli_completion.py: the help has no 'Games:' list")
    games = re.findall(r"^\s+([a-z0-9][a-z0-9-]*)\s+\"", games_text[1], re.M)
    if not options or not games:
        sys.exit("cli_completion.py: no options or no games found in the help")
    values["--game"] = games + [w for w in values.get("--game", []) if w not in games]
    # Options that take a value without a list of their own: a name, a number or a file. A
    # placeholder ending in "..." (--add LOG|FOLDER...) is the files that follow: they complete.
    takes_value = sorted(set(option for option, placeholder in re.findall(r"(--[a-z][a-z-]*) ([A-Z][^\s\]]*)", usage)
                             if not placeholder.endswith("...")) - set(values))

    cases = "".join(f"        {option}) COMPREPLY=($(compgen -W '{' '.join(words)}' -- \"$cur\")); return ;;\n"
                    for option, words in sorted(values.items()))
    script = f"""# bash completion for fragtide-report; written from its --help when the package is made.
_fragtide_report() {{
    local cur prev
    cur=${{COMP_WORDS[COMP_CWORD]}}
    prev=${{COMP_WORDS[COMP_CWORD-1]}}
    case "$prev" in
{cases}        --export) _filedir 'html|csv' 2> /dev/null || COMPREPLY=($(compgen -f -- "$cur")); return ;;
        {'|'.join(o for o in takes_value if o != '--export') or '--'}) return ;;
    esac
    if [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W '{' '.join(options)}' -- "$cur"))
        return
    fi
    _filedir 2> /dev/null || COMPREPLY=($(compgen -f -- "$cur"))
}}
complete -F _fragtide_report fragtide-report
"""
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(script)


if __name__ == "__main__":
    main()
