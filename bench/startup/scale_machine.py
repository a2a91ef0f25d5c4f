#!/usr/bin/env python3
"""Writes a machine tree for the provider: scale_machine.py OUT --cpus N --mounts N.

A small machine is 4 CPUs and 10 mounts; the big one of the start-up benchmark is 1,024 CPUs
(one package per 64) and 5,000 mounts (loop-mounted packages, bind mounts, tmpfs, a few
disks), the shape of a large build host. Both have a disc drive nothing has mounted, as a
server's remote console shows one."""
import argparse
import os

CPUINFO_CPU = """processor\t: {n}
vendor_id\t: GenuineIntel
cpu family\t: 6
model\t\t: 106
model name\t: Intel(R) Xeon(R) Platinum 8380 CPU @ 2.30GHz
stepping\t: 6
cpu MHz\t\t: 2300.000
physical id\t: {package}
core id\t\t: {core}
flags\t\t: fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush dts acpi mmx fxsr sse sse2 ss ht tm pbe syscall nx pdpe1gb rdtscp lm constant_tsc art arch_perfmon pebs bts rep_good nopl xtopology nonstop_tsc cpuid aperfmperf pni pclmulqdq dtes64 monitor ds_cpl vmx smx est tm2 ssse3 sdbg fma cx16 xtpr pdcm pcid dca sse4_1 sse4_2 x2apic movbe popcnt tsc_deadline_timer aes xsave avx f16c rdrand lahf_lm abm 3dnowprefetch cpuid_fault epb cat_l3 invpcid_single intel_ppin ssbd mba ibrs ibpb stibp ibrs_enhanced tpr_shadow vnmi flexpriority ept vpid ept_ad fsgsbase tsc_adjust bmi1 avx2 smep bmi2 erms invpcid cqm rdt_a avx512f avx512dq rdseed adx smap avx512ifma clflushopt clwb intel_pt avx512cd sha_ni avx512bw avx512vl xsaveopt xsavec xgetbv1 xsaves cqm_llc cqm_occup_llc cqm_mbm_total cqm_mbm_local split_lock_detect wbnoinvd dtherm ida arat pln pts avx512vbmi umip pku ospke avx512_vbmi2 gfni vaes vpclmulqdq avx512_vnni avx512_bitalg tme avx512_vpopcntdq la57 rdpid fsrm md_clear pconfig flush_l1d arch_capabilities

"""
CPUS_PER_PACKAGE = 64


def write(root, relative, text):
    path = os.path.join(root, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)


def link(root, relative, target):
    path = os.path.join(root, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    os.symlink(target, path)


def mount_lines(count):
    lines = ["1 0 259:2 / / rw,relatime - ext4 /dev/nvme0n1p2 rw"]
    for n in range(1, count):
        kind = n % 4
        if kind == 0:
            lines.append(f"{n + 1} 1 7:{n} / /snap/pkg{n}/1 ro - squashfs /dev/loop{n} ro")
        elif kind == 1:
            lines.append(f"{n + 1} 1 259:3 /srv/b{n} /var/lib/builds/b{n} rw - ext4 /dev/nvme0n1p3 rw")
        elif kind == 2:
            lines.append(f"{n + 1} 1 0:{n + 40} / /run/user/{n} rw - tmpfs tmpfs rw")
        else:
            lines.append(f"{n + 1} 1 0:{n + 40} / /var/lib/docker/overlay2/{n}/merged rw - overlay overlay rw")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--cpus", type=int, default=4)
    parser.add_argument("--mounts", type=int, default=10)
    args = parser.parse_args()
    root = args.root
    write(root, "proc/cpuinfo", "".join(
        CPUINFO_CPU.format(n=n, package=n // CPUS_PER_PACKAGE, core=n % CPUS_PER_PACKAGE)
        for n in range(args.cpus)))
    for n in range(args.cpus):
        cpu = f"sys/devices/system/cpu/cpu{n}"
        write(root, f"{cpu}/topology/physical_package_id", f"{n // CPUS_PER_PACKAGE}\n")
        write(root, f"{cpu}/cpufreq/scaling_cur_freq", "2300000\n")
    write(root, "proc/self/mountinfo", mount_lines(args.mounts))
    write(root, "proc/meminfo", "MemTotal: 1056768000 kB\nMemFree: 900000000 kB\n"
                                "MemAvailable: 1000000000 kB\n")
    write(root, "etc/hostname", "build-host.example.org\n")
    write(root, "sys/class/dmi/id/bios_vendor", "Example BIOS\n")
    write(root, "sys/class/dmi/id/bios_date", "03/14/2024\n")
    write(root, "sys/class/dmi/id/bios_version", "1.2.3\n")
    # The disks as sysfs links them: sys/block and sys/class/block lead to the device's folder,
    # which holds a folder for each partition. The disc drive is empty and mounted nowhere.
    for disk, number, size, removable, partitions in (
            ("nvme0n1", "259:0", "7814037168", "0", ("p1", "p2", "p3")),
            ("sr0", "11:0", "0", "1", ())):
        device = f"sys/devices/pci0000:00/block/{disk}"
        write(root, f"{device}/size", size + "\n")
        write(root, f"{device}/removable", removable + "\n")
        write(root, f"{device}/dev", number + "\n")
        for index, partition in enumerate(partitions, start=1):
            write(root, f"{device}/{disk}{partition}/partition", partition[1:] + "\n")
            write(root, f"{device}/{disk}{partition}/dev", f"259:{index}\n")
            link(root, f"sys/class/block/{disk}{partition}", f"../../{device[4:]}/{disk}{partition}")
        link(root, f"sys/class/block/{disk}", f"../../{device[4:]}")
        link(root, f"sys/block/{disk}", f"../{device[4:]}")


if __name__ == "__main__":
    main()
