#!/usr/bin/python3
"""Runs the block-source probes under Wine and checks which block each read.

    check_block_sources.py WINE_RUN RUNS_DIR PROBE...

Each probe is first checked with pefile (an independent reader): its
marker resource 1000/1 has exactly the bytes its form says, language 0.
Then copies get trailers appended (written here, independently of the
launcher's own writer) and every copy reports what LaunchParameters found.
"""
import os
import shutil
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from caskit_test import fresh_folder, pe_resources, run_logged, trailer  # noqa: E402

RESOURCE_BLOCK = b"classname\nres.Block\nparameters\nfrom-resource\n"
TRAILER_BLOCK = b"classname\ntrailer.Block\nparameters\nfrom-trailer\n"
MARKERS = {
    "resbased": b"resbased",
    "standard": b"standard",
    "standard_nul": b"standard\0",
    "nomarker": None,
}

failures = []


def expect(what, actual, wanted):
    if actual != wanted:
        failures.append(f"{what}: got {actual!r}, wanted {wanted!r}")


def parameter_resources(path):
    """{id: (language, bytes)} of the resources of type 1000."""
    pe = pefile.PE(path)
    found = {rid: (lang, data) for (kind, rid, lang), data in pe_resources(pe).items() if kind == 1000}
    pe.close()
    return found


def run_probe(wine_run, runs_dir, form, probe, case, tail):
    folder = fresh_folder(os.path.join(runs_dir, case))
    exe = os.path.join(folder, "app.exe")
    shutil.copyfile(probe, exe)
    with open(exe, "ab") as f:
        f.write(tail)
    # Wine's helper processes may outlive the program: they get files, not
    # the test's own output pipes, so nothing holds those open afterwards.
    returncode = run_logged([wine_run, exe, "report.txt", "x y"], os.path.join(folder, "wine.log"), cwd=folder)
    expect(f"{case} exit code", returncode, 0)
    report = {}
    if not os.path.exists(os.path.join(folder, "report.txt")):
        failures.append(f"{case}: no report (see {folder}/wine.log)")
        return report
    with open(os.path.join(folder, "report.txt"), "rb") as f:
        for line in f.read().decode("latin-1").split("\n"):
            if line:
                key, _, value = line.partition("=")
                report.setdefault(key, []).append(value)
    expect(f"{case} exeName", report.get("exeName"), ["app.exe"])
    folder_seen = report.get("exeFolder", [""])[0]
    expect(f"{case} exeFolder", folder_seen.lower(), "z:" + folder.replace("/", "\\").lower() + "\\")
    return report


def check(wine_run, runs_dir, probes):
    by_form = {}
    for probe in probes:
        form = os.path.basename(probe)[len("block_source_probe_"):-len(".exe")]
        by_form[form] = probe
        resources = parameter_resources(probe)
        marker = MARKERS[form]
        expect(f"{form} marker", resources.get(1), None if marker is None else (0, marker))
        expect(f"{form} block resource", resources.get(2), (0, RESOURCE_BLOCK))
    expect("probe forms", sorted(by_form), sorted(MARKERS))

    from_resource = (["res/Block"], ["x", "y", "from-resource"])
    from_trailer = (["trailer/Block"], ["x", "y", "from-trailer"])
    empty = ([""], ["x", "y"])
    # One byte more than the whole file holds before the length word.
    too_large = os.path.getsize(by_form["standard"]) + len(TRAILER_BLOCK) + 1
    cases = [
        ("resbased", "resbased-ignores-trailer", trailer(TRAILER_BLOCK), from_resource, "0"),
        ("resbased", "resbased-plain", b"", from_resource, "0"),
        ("nomarker", "nomarker-ignores-trailer", trailer(TRAILER_BLOCK), from_resource, "0"),
        ("standard", "standard-reads-trailer", trailer(TRAILER_BLOCK), from_trailer, "1"),
        ("standard_nul", "standard-nul-reads-trailer", trailer(TRAILER_BLOCK), from_trailer, "1"),
        ("standard", "standard-unconfigured", b"\0\0\0\0", empty, "1"),
        ("standard", "standard-length-too-large", trailer(TRAILER_BLOCK, too_large), empty, "1"),
        ("standard", "standard-length-all-ones", trailer(TRAILER_BLOCK, 0xFFFFFFFF), empty, "1"),
        ("standard", "standard-nul-ends-block", trailer(TRAILER_BLOCK + b"\0nocp\n"), from_trailer, "1"),
    ]
    for form, case, tail, (main_class, arguments), standard in cases:
        report = run_probe(wine_run, runs_dir, form, by_form[form], case, tail)
        expect(f"{case} standard", report.get("standard"), [standard])
        expect(f"{case} mainClass", report.get("mainClass"), main_class)
        expect(f"{case} arguments", report.get("argument"), arguments)
        expect(f"{case} classPathMode", report.get("classPathMode"), ["0"])


def main():
    wine_run, runs_dir, probes = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(runs_dir, exist_ok=True)
    check(wine_run, runs_dir, probes)
    for failure in failures:
        print("FAIL", failure)
    print("ok" if not failures else f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
