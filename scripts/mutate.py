#!/usr/bin/env python3
"""Mutation testing of the code whose faults matter most (docs/mutation-baseline.md shows a run).

Each mutant changes one line in place, rebuilds only the test programs that link it (this
worktree's build/native or build/windows), runs their tests fail-fast under a time limit and
restores the file byte for byte. A failing or hanging test kills the mutant; one that does not
compile is not viable. Known equivalent mutants are listed in scripts/mutate-equivalent.txt.
"""
import argparse, itertools, os, random, re, signal, subprocess, sys, time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
NB, WB = "build/native", "build/windows"
WINE = ["cmake/wine-run.sh", str(ROOT / WB / "wineprefix")]  # Wine wants it absolute
XVFB = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24"]
FF = "--gtest_fail_fast"
ENGINE_TARGETS = ["arp_unit_tests", "arp_alloc_tests", "arp_thread_tests", "arphost", "arpeggiate"]
ENGINE_TESTS = [[f"{NB}/tests/arp_unit_tests", FF], [f"{NB}/tests/arp_alloc_tests", FF],
                [f"{NB}/tests/threads/arp_thread_tests", FF],
                ["ctest", "--test-dir", NB, "-R", r"^(arphost|arpeggiate\.golden)\.",
                 "--stop-on-failure", "--no-tests=error", "-j2", "-Q"]]
CONTROLS = ["NWSliderDrag", "NWSliderCtrl", "NWMinMaxSlider", "CellPropEditKeys", "NWControl"]
# group: (preset, source files, build targets, test commands), cheapest command first.
GROUPS = {
    "engine": (NB, ["MIDIPlugin/engine/*.cpp", "MIDIPlugin/engine/TimeMath.h",
                    "MIDIPlugin/engine/PendingList.h"], ENGINE_TARGETS, ENGINE_TESTS),
    "persistence": (NB, ["MIDIPlugin/engine/PersistStream.cpp"], ENGINE_TARGETS, ENGINE_TESTS),
    "chord": (NB, ["MIDIPlugin/chord/*.cpp", "MIDIPlugin/chord/ChordDictionary.h"],
              ENGINE_TARGETS, ENGINE_TESTS),
    "propvalues": (NB, ["propvalues/Property.cpp", "propvalues/PropInt.cpp"],
                   ["toolkit_propvalues_tests"],
                   [[f"{NB}/tests/toolkit/toolkit_propvalues_tests", FF]]),
    "midifile": (NB, ["tools/midifile/*.cpp", "tools/midifile/ByteReader.h"],
                 ["arp_arpeggiate_tests", "arpeggiate"],
                 [[f"{NB}/tests/arpeggiate/arp_arpeggiate_tests", FF],
                  ["ctest", "--test-dir", NB, "-R", r"^arpeggiate\.(golden|mido|cli)\.",
                   "--stop-on-failure", "--no-tests=error", "-j2", "-Q"]]),
    "editor": (WB, [f"MIDIPlugin/editor/{n}.cpp" for n in
                    ("PageValueMapping", "PageChanges", "PageEdits")], ["arp_page_tests"],
               [XVFB + WINE + [f"{WB}/tests/page/arp_page_tests.exe", FF]]),
    "controls": (WB, [f"controls/{n}.cpp" for n in CONTROLS],
                 ["toolkit_controls_tests", "toolkit_slider_tests", "toolkit_button_tests"],
                 [XVFB + WINE + [f"{WB}/tests/toolkit/{t}.exe", FF] for t in
                  ("toolkit_controls_tests", "toolkit_slider_tests", "toolkit_button_tests")]),
}
KEYWORDS = set("return break continue case default goto using typedef static_assert if else for "
               "while do switch const constexpr static auto struct class enum namespace template "
               "friend public private protected throw".split())
DECL = re.compile(r"^[A-Za-z_][\w:<>,\s*&]*?[\s*&]+[A-Za-z_]\w*\s*(=|;|\(|\{|\[)")
ARRAY_DECL = re.compile(r"^\s*(?:(?:static|const|constexpr|inline)\s+)*[\w:<>]+[\s*]+\w+\s*\[")
SWAPS = [("relational", re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)"),
          {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
           "==": ["!="], "!=": ["=="]}),
         ("arithmetic", re.compile(r"(?<=\s)([-+*/]=?)(?=\s)|(\+\+|--)(?=\w)|(?<=\w)(\+\+|--)"),
          {"+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "+=": ["-="], "-=": ["+="],
           "*=": ["/="], "/=": ["*="], "++": ["--"], "--": ["++"]}),
         ("logical", re.compile(r"(?<=\s)(&&|\|\|)(?=\s)"), {"&&": ["||"], "||": ["&&"]})]
LITERAL = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])")


def code_lines(text):
    """The lines with comments, strings and character literals blanked, columns kept."""
    out, in_block = [], False
    for line in text.split("\n"):
        chars, i = list(line), 0
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                stop = len(line) if end < 0 else end + 2
                chars[i:stop] = " " * (stop - i)
                in_block, i = end < 0, stop
            elif line.startswith("//", i):
                chars[i:] = " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'":
                j = i + 1
                while j < len(line) and line[j] != line[i]:
                    j += 2 if line[j] == "\\" else 1
                chars[i + 1:j] = " " * (min(j, len(line)) - i - 1)
                i = j + 1
            else:
                i += 1
        out.append("".join(chars))
    return out


def balanced(s):
    return s.count("(") == s.count(")") and s.count("[") == s.count("]")


def line_mutants(code, src, prev, nxt):
    """(kind, mutated line) for one source line, given its blanked code and its neighbours'."""
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or re.search(r"\b(static_assert|template|operator"
                                                             r"|extern)\b", stripped):
        return
    for kind, pattern, table in SWAPS:
        for m in pattern.finditer(code):
            op = m.group(m.lastindex)
            for new in table[op]:
                yield kind, src[:m.start(m.lastindex)] + new + src[m.end(m.lastindex):]
    array_decl = ARRAY_DECL.match(code)
    for m in LITERAL.finditer(code):
        if array_decl and code.rfind("[", 0, m.start()) > code.rfind("]", 0, m.start()):
            continue
        digits, base = m.group(1), 16 if m.group(1)[:2].lower() == "0x" else 10
        value = int(digits, base)
        for new in ([value + 1, value - 1] if value else [1]):
            text = hex(new) if base == 16 else str(new)
            yield "constant", src[:m.start(1)] + text + src[m.end(1):]
    for m in re.finditer(r"\b(if|while)\s*\(", code):
        depth, start = 0, m.end() - 1
        for j in range(start, len(code)):
            depth += {"(": 1, ")": -1}.get(code[j], 0)
            if depth == 0:
                yield "negate", src[:start + 1] + "!(" + src[start + 1:j] + ")" + src[j:]
                break
    starts_statement = prev.endswith((";", "{", "}", ":", ")")) or prev.endswith("else") or not prev
    if stripped.endswith(";") and balanced(stripped) and starts_statement:
        first = re.match(r"[A-Za-z_]\w*", stripped)
        indent = src[:len(src) - len(src.lstrip())]
        if first and first.group() == "return":
            if nxt != "}":  # a function's last return (its "}" at column 0): not viable without
                yield "return", indent + "{}"
        elif (first and first.group() not in KEYWORDS and not DECL.match(stripped)) or \
                stripped.startswith(("++", "--", "*")):
            yield "statement", indent + "{}"
    m = re.search(r"\)\s*(return\b[^;]*;)\s*$", code)
    if m and balanced(m.group(1)):
        yield "return", src[:m.start(1)] + "{}" + src[m.end(1):]


def enumerate_mutants(groups):
    mutants = []
    for group in groups:
        files = sorted({p for pat in GROUPS[group][1] for p in ROOT.glob(pat) if p.is_file()})
        for path in files:
            rel = str(path.relative_to(ROOT))
            if group == "engine" and rel.endswith("PersistStream.cpp"):
                continue
            text = path.read_text(encoding="utf-8")
            src_lines, codes, prev = text.split("\n"), code_lines(text), ""
            for n, code in enumerate(codes, 1):
                seen, nxt = set(), next((c for c in codes[n:] if c.strip()), "")
                for kind, new in line_mutants(code, src_lines[n - 1], prev, nxt):
                    if new != src_lines[n - 1] and new not in seen:
                        seen.add(new)
                        mutants.append(dict(group=group, file=rel, line=n, kind=kind,
                                            old=src_lines[n - 1], new=new))
                prev = code.strip() or prev
    return mutants


def sample(mutants, groups, seed, native_count, windows_count):
    """A per-group share of each count, proportional to the group's sites but at least a
    fair floor; deterministic for the same sources, seed and counts. The groups take turns,
    so that a run stopped early has judged every group."""
    chosen = []
    for preset, count in ((NB, native_count), (WB, windows_count)):
        names = [g for g in groups if GROUPS[g][0] == preset]
        pools = {g: [m for m in mutants if m["group"] == g] for g in names}
        total = sum(len(p) for p in pools.values())
        if count is None or count >= total:
            chosen += [pools[g] for g in names]
            continue
        floor = count // (2 * max(1, len(names)))
        share = {g: min(len(pools[g]), max(floor, round(count * len(pools[g]) / max(1, total))))
                 for g in names}
        while sum(share.values()) > count:
            share[max(share, key=share.get)] -= 1
        for g in names:
            pool = pools[g][:]
            random.Random(f"{seed}:{g}").shuffle(pool)
            chosen.append(sorted(pool[:share[g]], key=lambda m: (m["file"], m["line"])))
    return [m for turn in itertools.zip_longest(*chosen) for m in turn if m]


def shown(m):
    return m["new"].strip() if m["new"].strip() != "{}" else "removed: " + m["old"].strip()


def label(cmd):
    return f"ctest {cmd[cmd.index('-R') + 1]}" if cmd[0] == "ctest" else \
        Path(cmd[cmd.index(FF) - 1]).name


def run(cmd, timeout):
    """Exit code of cmd, or 'timeout'; its whole process group is gone when this returns."""
    proc = subprocess.Popen(cmd, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return "timeout"
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


def build(preset, targets):
    return run(["cmake", "--build", preset, "-j2", "--target", *targets], 1800) == 0


def load_equivalents():
    """FILE:LINE:KIND:why; a why that starts with `text` names the mutant whose line has it."""
    path, found = ROOT / "scripts/mutate-equivalent.txt", []
    for line in path.read_text().splitlines() if path.exists() else []:
        if line.strip() and not line.startswith("#"):
            file, n, kind, why = line.split(":", 3)
            quoted = re.match(r"\s*`([^`]+)`", why)
            found.append((file, int(n), kind, quoted.group(1) if quoted else ""))
    return found


def is_equivalent(m, equivalents):
    return any((m["file"], m["line"], m["kind"]) == e[:3] and e[3] in m["new"] for e in equivalents)


def report(results, args, minutes, complete):
    rows, survivors, killers = [], [], []
    for group in dict.fromkeys(r["group"] for r in results):
        rs = [r for r in results if r["group"] == group]
        c = {s: sum(r["status"] == s for r in rs) for s in
             ("killed", "survived", "equivalent", "not viable")}
        judged = c["killed"] + c["survived"]
        rate = f"{100 * c['killed'] / judged:.0f} %" if judged else "-"
        rows.append(f"| {group} | {len(rs)} | {c['killed']} | {c['survived']} | "
                    f"{c['equivalent']} | {c['not viable']} | {rate} |")
        survivors += [r for r in rs if r["status"] == "survived"]
        by = {}
        for r in rs:
            if r.get("by"):
                by[r["by"]] = by.get(r["by"], 0) + 1
        if by:
            killers.append(f"- {group}: " + ", ".join(f"{k} {n}" for k, n in by.items()))
    out = ["# Mutation report", "", f"`{' '.join(['scripts/mutate.py'] + args)}`  ",
           f"{len(results)} mutants in {minutes:.0f} min"
           + ("" if complete else " (run stopped early: partial)"), "",
           "| group | mutants | killed | survived | equivalent | not viable | kill rate |",
           "|---|---|---|---|---|---|---|", *rows, "",
           "Kill rate: killed / (killed + survived). First test program to fail (fail-fast, "
           "cheapest first):", "", *killers, "", "## Survivors", ""]
    for r in survivors:
        out += [f"- `{r['file']}:{r['line']}` {r['kind']}", f"  - `{r['old'].strip()}`",
                f"  + `{shown(r)}`"]
    return "\n".join(out + ([] if survivors else ["none"])) + "\n"


def rejudge(log):
    """The results a run's log printed, judged again against today's equivalents list."""
    line = re.compile(r"\[\d+/\d+\] (killed|survived|not viable)\s+\d+ s (\S+):(\d+) (\w+): "
                      r"(.*?)(?: \(killed by (.*)\))?$")
    results, equivalents, text = [], load_equivalents(), Path(log).read_text()
    command = re.search(r"^`(scripts/mutate\.py .*)`", text, re.M)
    minutes = re.search(r"mutants in (\d+) min", text)
    for m in filter(None, map(line.match, text.splitlines())):
        file, text = m.group(2), m.group(5)
        removed = text.startswith("removed: ")
        groups = sorted(GROUPS, key=lambda g: g != "persistence")
        r = dict(group=next(g for g in groups if any(map(Path(file).match, GROUPS[g][1]))),
                 file=file, line=int(m.group(3)), kind=m.group(4), status=m.group(1),
                 by=m.group(6), old=(ROOT / file).read_text().split("\n")[int(m.group(3)) - 1],
                 new="{}" if removed else text)
        if r["status"] == "survived" and is_equivalent(r, equivalents):
            r["status"] = "equivalent"
        results.append(r)
    return (results, command.group(1).split()[1:] if command else ["?"],
            float(minutes.group(1)) if minutes else 0.0)


def stop(*_):
    raise KeyboardInterrupt  # `timeout` and kill end the run as Ctrl-C does: restored, reported


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--seed", default="1")
    ap.add_argument("--count", type=int, help="native mutants (default: all)")
    ap.add_argument("--windows-count", type=int, default=0, help="Windows mutants (slow)")
    ap.add_argument("--folders", nargs="+", choices=list(GROUPS), default=list(GROUPS))
    ap.add_argument("--list", action="store_true", help="list the sample, run nothing")
    ap.add_argument("--report", type=Path)
    ap.add_argument("--rejudge", metavar="LOG", help="report a run's printed log again, with "
                    "today's equivalents list, running nothing")
    args = ap.parse_args()
    if args.rejudge:
        results, command, minutes = rejudge(args.rejudge)
        complete = "stopped early" not in Path(args.rejudge).read_text()
        text = report(results, command, minutes, complete)
        if args.report:
            args.report.write_text(text)
        return print(text)
    chosen = sample(enumerate_mutants(args.folders), args.folders, args.seed, args.count,
                    args.windows_count)
    equivalents = load_equivalents()
    if args.list:
        for m in chosen:
            print(f"{m['group']:12} {m['file']}:{m['line']} {m['kind']:10} {shown(m)}")
        return
    signal.signal(signal.SIGTERM, stop)
    started, results, touched, limits, complete = time.time(), [], {}, {}, False
    try:
        for i, m in enumerate(chosen, 1):
            preset, _, targets, tests = GROUPS[m["group"]]
            touched.setdefault(preset, set()).update(targets)
            if is_equivalent(m, equivalents):
                results.append(dict(m, status="equivalent"))
                continue
            key = repr(tests)
            if key not in limits:  # the unchanged tree builds and passes; a hang: 3 times as long
                if not build(preset, targets):
                    sys.exit(f"the unchanged tree does not build: {preset} {targets}")
                limits[key] = []
                for cmd in tests:
                    t0, rc = time.time(), run(cmd, 1800)
                    if rc != 0:
                        sys.exit(f"the unchanged tree fails: {' '.join(cmd)}")
                    limits[key].append(max(60.0, 3 * (time.time() - t0)))
            path = ROOT / m["file"]
            original = path.read_bytes()
            lines = original.decode("utf-8").split("\n")
            lines[m["line"] - 1] = m["new"]
            t0, status, by = time.time(), "not viable", None
            try:
                path.write_bytes("\n".join(lines).encode("utf-8"))
                if build(preset, targets):
                    status = "survived"
                    for cmd, limit in zip(tests, limits[key]):
                        if run(cmd, limit) != 0:
                            status, by = "killed", label(cmd)
                            break
            finally:
                path.write_bytes(original)
            results.append(dict(m, status=status, by=by))
            print(f"[{i}/{len(chosen)}] {status:10} {time.time() - t0:4.0f} s {m['file']}:"
                  f"{m['line']} {m['kind']}: {shown(m)}" + (f" (killed by {by})" if by else ""),
                  flush=True)
            if args.report:
                minutes = (time.time() - started) / 60
                args.report.write_text(report(results, sys.argv[1:], minutes, False))
        complete = True
    except KeyboardInterrupt:
        print("stopped: the file is restored; reporting what ran", file=sys.stderr)
    finally:
        for preset, targets in touched.items():
            if not build(preset, sorted(targets)):
                print(f"WARNING: the restored tree does not build ({preset})", file=sys.stderr)
    text = report(results, sys.argv[1:], (time.time() - started) / 60, complete)
    if args.report:
        args.report.write_text(text)
    print(text)


if __name__ == "__main__":
    main()
