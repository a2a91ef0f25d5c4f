#!/usr/bin/env python3
"""Start-up and idle of the real window against its floor, interleaved, under a private Xvfb.

  measure.py BUILD_DIR startup [--runs 10]   first paint and memory: zarnel on this machine
                                             against the floor program, and zarnel on a big
                                             machine tree against a small one
  measure.py BUILD_DIR idle [--runs 10] [--seconds 30] [--parts]
                                             CPU, wake-ups and threads of the running window,
                                             and the display server's CPU meanwhile, against
                                             the floor, and against the floor doing the memory
                                             figures' work of a tick as well; --parts adds the
                                             floor doing only the 10 ms pause, only the read
                                             of /proc/meminfo, and only ticking (a still graph)
  measure.py BUILD_DIR idle-ab OTHER [--runs 4] [--seconds 60]
                                             CPU of this build's window against OTHER (another
                                             build's bench/zarnel_startup), both running at once

Runs alternate between the programs (the order turns each round), so a machine shared with
other work loads both alike; medians and their ratios are printed with the load average.
idle-ab runs the two windows side by side instead: a before-and-after of one change is a few
per cent, less than idle figures drift from minute to minute on a shared host, and two versions
of one program meet the same drift and the same share of the caches. (Against the floor that
would not be fair: running at once, the program that touches more memory loses more of it.)"""
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


def idle_side_by_side(programs, env, seconds, rounds):
    """CPU milliseconds per second of each program, started together (in turned order), warmed
    up and then counted over the same seconds; a list per program, a value per round."""
    samples = {name: [] for name in programs}
    for round_number in range(rounds):
        running = {name: subprocess.Popen(programs[name] + ["--idle"], env=env,
                                          stdout=subprocess.DEVNULL)
                   for name in turned(list(programs), round_number)}
        try:
            time.sleep(WARM_UP_SECONDS)
            before = {name: process_counters(p.pid)[0] for name, p in running.items()}
            time.sleep(seconds)
            after = {name: process_counters(p.pid)[0] for name, p in running.items()}
        finally:
            for program in running.values():
                program.kill()
                program.wait()
        for name in programs:
            samples[name].append((after[name] - before[name]) / 1e6 / seconds)
    return samples


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
    parser.add_argument("what", choices=["startup", "idle", "idle-ab"])
    parser.add_argument("other", nargs="?", help="idle-ab: the other build's zarnel_startup")
    parser.add_argument("--runs", type=int, default=0)
    parser.add_argument("--seconds", type=float, default=0)
    parser.add_argument("--parts", action="store_true")
    args = parser.parse_args()
    if args.what == "idle-ab" and not args.other:
        parser.error("idle-ab needs the other build's zarnel_startup")
    zarnel = [os.path.join(args.build, "bench", "zarnel_startup")]
    floor = [os.path.join(args.build, "bench", "floor_startup")]
    xvfb, display = start_xvfb()
    env = environment(display)
    try:
        with tempfile.TemporaryDirectory() as scratch:
            # Opening the window makes the desktop folder: it does so in a home of the run's own.
            env["HOME"] = os.path.join(scratch, "home")
            os.mkdir(env["HOME"])
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
            elif args.what == "idle-ab":
                seconds = args.seconds or 60
                samples = idle_side_by_side({"this build": zarnel, "other": [args.other]}, env,
                                            seconds, args.runs or 4)
                print(f"\nidle side by side over {seconds:g} s: CPU ms/s (load average before: "
                      f"{LOAD_BEFORE}, after: {os.getloadavg()})")
                for name, values in samples.items():
                    print(f"  {name:12} median {statistics.median(values):7.2f}  "
                          + " ".join(f"{v:.2f}" for v in values))
                ratios = [a / b for a, b in zip(samples["this build"], samples["other"]) if b]
                print("  this build / other, per round: " + " ".join(f"{r:.2f}x" for r in ratios))
            else:
                seconds = args.seconds or 30
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
                for round_number in range(args.runs or 10):
                    for name in turned(list(programs), round_number):
                        samples[name].append(idle(programs[name], env, seconds, xvfb.pid))
                report(f"idle over {seconds:g} s: CPU ms/s, wake-ups/s, threads, "
                       "display server CPU ms/s", samples, pairs)
    finally:
        xvfb.kill()
        xvfb.wait()


LOAD_BEFORE = os.getloadavg()

if __name__ == "__main__":
    main()
