#!/usr/bin/env python3
"""Start-up and idle of the real window against its floor, interleaved, under a private Xvfb.

  measure.py BUILD_DIR startup [--runs 10]   first paint and memory: zarnel on this machine
                                             against the floor program, and zarnel on a big
                                             machine tree against a small one
  measure.py BUILD_DIR idle [--runs 3] [--seconds 30] [--parts]
                                             CPU, wake-ups and threads of the running window,
                                             and the display server's CPU meanwhile, against
                                             the floor, and against the floor doing the memory
                                             figures' work of a tick as well; --parts adds the
                                             floor doing only the 10 ms pause, only the read
                                             of /proc/meminfo, and only ticking (a still graph)

Runs alternate between the programs (the order turns each round), so a machine shared with
other work loads both alike; medians and their ratios are printed with the load average."""
import argparse
import glob
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
# The window's graph grows for its first 75 ticks (22.5 s at 300 ms) and scrolls from then on,
# for hours: idle is measured in that steady state.
WARM_UP_SECONDS = 25


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=[write_end],
                            stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        number = display.readline().strip()
    return xvfb, ":" + number


def environment(display):
    env = dict(os.environ, DISPLAY=display)
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def first_paint(command, env):
    """Milliseconds from the start of the process to its first painted window, and its RSS."""
    start = time.monotonic_ns()
    run = subprocess.run(command, env=env, stdout=subprocess.PIPE, text=True, timeout=60)
    fields = dict(item.split("=") for item in run.stdout.split())
    return (int(fields["first_paint_ns"]) - start) / 1e6, int(fields["rss_kb"])


def process_counters(pid):
    """Nanoseconds on a CPU, wake-ups (time slices) and threads, summed over the process's
    threads: schedstat counts in nanoseconds, where /proc/PID/stat counts in 10 ms ticks."""
    cpu_ns = 0
    slices = 0
    tasks = glob.glob(f"/proc/{pid}/task/*/schedstat")
    for path in tasks:
        with open(path) as schedstat:
            on_cpu, _waiting, timeslices = schedstat.read().split()
        cpu_ns += int(on_cpu)
        slices += int(timeslices)
    return cpu_ns, slices, len(tasks)


def idle(command, env, seconds, server):
    """CPU milliseconds per second, wake-ups per second and threads, after a warm-up, and the
    display server's CPU milliseconds per second meanwhile: what the program's painting costs
    the machine beyond its own process (the server runs nothing else)."""
    program = subprocess.Popen(command + ["--idle"], env=env, stdout=subprocess.DEVNULL)
    try:
        time.sleep(WARM_UP_SECONDS)
        cpu0, switches0, _ = process_counters(program.pid)
        server0, _, _ = process_counters(server)
        time.sleep(seconds)
        cpu1, switches1, threads = process_counters(program.pid)
        server1, _, _ = process_counters(server)
    finally:
        program.kill()
        program.wait()
    return ((cpu1 - cpu0) / 1e6 / seconds, (switches1 - switches0) / seconds,
            threads, (server1 - server0) / 1e6 / seconds)


def turned(names, round_number):
    """The order of one round: each round starts one program further along."""
    shift = round_number % len(names)
    return names[shift:] + names[:shift]


def report(title, samples, pairs):
    print(f"\n{title} (load average before: {LOAD_BEFORE}, after: {os.getloadavg()})")
    for name, values in samples.items():
        columns = list(zip(*values))
        print(f"  {name:18}" + "  ".join(
            f"median {statistics.median(c):9.2f} (min {min(c):9.2f}, max {max(c):9.2f})"
            for c in columns))
    for label, top, bottom in pairs:
        ratios = [statistics.median(a) / statistics.median(b) if statistics.median(b) else
                  float("inf") for a, b in zip(zip(*samples[top]), zip(*samples[bottom]))]
        print(f"  {label}: " + "  ".join(f"{r:.2f}x" for r in ratios))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("what", choices=["startup", "idle"])
    parser.add_argument("--runs", type=int, default=0)
    parser.add_argument("--seconds", type=float, default=30)
    parser.add_argument("--parts", action="store_true")
    args = parser.parse_args()
    zarnel = [os.path.join(args.build, "bench", "zarnel_startup")]
    floor = [os.path.join(args.build, "bench", "floor_startup")]
    xvfb, display = start_xvfb()
    env = environment(display)
    try:
        with tempfile.TemporaryDirectory() as scratch:
            if args.what == "startup":
                small, big = os.path.join(scratch, "small"), os.path.join(scratch, "big")
                subprocess.run([sys.executable, os.path.join(HERE, "scale_machine.py"), small],
                               check=True)
                subprocess.run([sys.executable, os.path.join(HERE, "scale_machine.py"), big,
                                "--cpus", "1024", "--mounts", "5000"], check=True)
                programs = {"zarnel /": zarnel, "floor": floor, "zarnel small": zarnel + [small],
                            "zarnel big": zarnel + [big]}
                samples = {name: [] for name in programs}
                for round_number in range(args.runs or 10):
                    for name in turned(list(programs), round_number):
                        samples[name].append(first_paint(programs[name], env))
                report("first paint ms, resident kB", samples,
                       [("zarnel / floor", "zarnel /", "floor"),
                        ("big / small", "zarnel big", "zarnel small")])
            else:
                programs = {"zarnel": zarnel, "floor": floor,
                            "floor + figures": floor + ["--figures"]}
                pairs = [("zarnel / floor", "zarnel", "floor"),
                         ("zarnel / floor + figures", "zarnel", "floor + figures")]
                if args.parts:
                    programs.update({"floor + pause": floor + ["--pause"],
                                     "floor + meminfo": floor + ["--meminfo"],
                                     "floor, timer only": floor + ["--timer-only"]})
                    pairs += [("floor + pause / floor", "floor + pause", "floor"),
                              ("floor + meminfo / floor", "floor + meminfo", "floor"),
                              ("floor, timer only / floor", "floor, timer only", "floor")]
                samples = {name: [] for name in programs}
                for round_number in range(args.runs or 3):
                    for name in turned(list(programs), round_number):
                        samples[name].append(idle(programs[name], env, args.seconds, xvfb.pid))
                report(f"idle over {args.seconds:g} s: CPU ms/s, wake-ups/s, threads, "
                       "display server CPU ms/s", samples, pairs)
    finally:
        xvfb.kill()
        xvfb.wait()


LOAD_BEFORE = os.getloadavg()

if __name__ == "__main__":
    main()
