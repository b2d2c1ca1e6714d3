#!/usr/bin/python3
"""Speed of the vaporix Python package beside the engine's own loop, in one run.

    cmake --preset release
    cmake --build build/release -j2 --target vaporix-bench vaporix_python
    /usr/bin/python3 bench/python_bench.py [--build build/release] [--repeat 5]

Prints, best of --repeat runs (wall clock; CPU seconds of the process beside):
state("pt", transport=False) over 1e6 region-1/2 states on one thread against
BM_EngineLoopPT (the same states through IF97Calculator in C++), two threads
against one, vaporix.pt.h and vaporix.ph.t in states per second, and the
import time of the package. On a shared machine compare CPU times.
"""

import argparse
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
STATES = 1_000_000


def million_states(np):
    """The states of BM_EngineLoopPT (bench/state_loop_bench.cpp), same arithmetic."""
    i = np.arange(STATES)
    j = (i % 1000).astype(np.float64)
    k = (i // 1000).astype(np.float64)
    region1 = i < STATES // 2
    p = np.where(region1, 20.0 + j * 0.08, 0.001 + j * 0.004)
    t = np.where(region1, 280.0 + k * 0.68, 700.0 + (k - 500.0) * 0.74)
    return p, t


def best(repeat, call):
    """Best wall time and best process CPU time of `repeat` calls."""
    walls, cpus = [], []
    for _ in range(repeat):
        wall, cpu = time.perf_counter(), time.process_time()
        call()
        walls.append(time.perf_counter() - wall)
        cpus.append(time.process_time() - cpu)
    return min(walls), min(cpus)


def engine_loop(build):
    program = os.path.join(build, "bench", "vaporix-bench")
    output = subprocess.run(
        [program, "--benchmark_filter=BM_EngineLoopPT", "--benchmark_format=json"],
        capture_output=True, text=True, check=True).stdout
    runs = json.loads(output)["benchmarks"]
    times = {}
    for run in runs:
        scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[run["time_unit"]]
        fresh = run["name"].split("/")[1] == "1"
        times[fresh] = (run["real_time"] * scale, run["cpu_time"] * scale)
    return times[False], times[True]


def import_time(package_dir):
    """Cumulative import time of vaporix alone (numpy already imported) and
    with numpy, in ms, from python -X importtime (best of 5)."""
    def measure(code):
        times = []
        for _ in range(5):
            env = dict(os.environ, PYTHONPATH=package_dir)
            err = subprocess.run([sys.executable, "-X", "importtime", "-c", code], env=env,
                                 capture_output=True, text=True, check=True).stderr
            for line in err.splitlines():
                parts = [part.strip() for part in line.split("|")]
                if len(parts) == 3 and parts[2] == "vaporix":
                    times.append(int(parts[1]) / 1000.0)
        return min(times)
    alone = measure("import numpy, vaporix")
    with_numpy = measure("import vaporix")
    return alone, with_numpy


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build", "release"))
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    package_dir = os.path.join(args.build, "python")
    sys.path.insert(0, package_dir)
    import numpy as np
    import vaporix

    p, t = million_states(np)
    assert set(np.unique(vaporix.pt.region(p, t))) == {1.0, 2.0}
    h = vaporix.pt.h(p, t)

    (cpp_wall, cpp_cpu), (cppf_wall, cppf_cpu) = engine_loop(args.build)
    one_wall, one_cpu = best(args.repeat, lambda: vaporix.state("pt", p, t, transport=False,
                                                                threads=1))
    rows = vaporix.state("pt", p, t, transport=False)
    reuse_wall, reuse_cpu = best(args.repeat, lambda: vaporix.state(
        "pt", p, t, transport=False, threads=1, out=rows))
    two_wall, two_cpu = best(args.repeat, lambda: vaporix.state(
        "pt", p, t, transport=False, threads=2, out=rows))
    pth_wall, pth_cpu = best(args.repeat, lambda: vaporix.pt.h(p, t))
    pht_wall, pht_cpu = best(args.repeat, lambda: vaporix.ph.t(p, h))
    alone, with_numpy = import_time(package_dir)

    print("1e6 region-1/2 (p,T) states, best of %d; wall s (CPU s)" % args.repeat)
    print("  C++ engine loop, records reused      %.3f (%.3f)" % (cpp_wall, cpp_cpu))
    print("  C++ engine loop, records allocated   %.3f (%.3f)" % (cppf_wall, cppf_cpu))
    print("  state(out=rows), 1 thread            %.3f (%.3f)  ratio to C++ reused: %.2f wall, "
          "%.2f CPU" % (reuse_wall, reuse_cpu, reuse_wall / cpp_wall, reuse_cpu / cpp_cpu))
    print("  state(), 1 thread (new 288 MB array) %.3f (%.3f)  ratio to C++ allocated: %.2f wall, "
          "%.2f CPU" % (one_wall, one_cpu, one_wall / cppf_wall, one_cpu / cppf_cpu))
    print("  state(out=rows), 2 threads           %.3f (%.3f)  speed-up over 1 thread: %.2f wall"
          % (two_wall, two_cpu, reuse_wall / two_wall))
    print("  vaporix.pt.h                          %.3f (%.3f)  %.2f M states/s (%.2f by CPU)"
          % (pth_wall, pth_cpu, STATES / pth_wall / 1e6, STATES / pth_cpu / 1e6))
    print("  vaporix.ph.t                          %.3f (%.3f)  %.2f M states/s (%.2f by CPU)"
          % (pht_wall, pht_cpu, STATES / pht_wall / 1e6, STATES / pht_cpu / 1e6))
    print("import vaporix: %.1f ms after numpy, %.1f ms with numpy" % (alone, with_numpy))
    print("load average %.1f on %d cores: wall-clock figures need idle cores" % (
        os.getloadavg()[0], os.cpu_count()))


if __name__ == "__main__":
    main()
