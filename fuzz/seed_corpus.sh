#!/usr/bin/env bash
# Writes each fuzz target's seed corpus (fuzz/corpus/<target>/) from the machines under
# tests/fixtures, in the input form the target reads: a target that reads several files takes
# them joined by the record separator (\x1e).
set -euo pipefail
cd "$(dirname "$0")/.."
fixtures=tests/fixtures
corpus=fuzz/corpus
sep=$'\x1e'

seed() {  # seed TARGET NAME: the text on stdin becomes corpus/TARGET/NAME
  mkdir -p "$corpus/$1"
  cat >"$corpus/$1/$2"
}

cat_if() { [ -f "$1" ] && cat "$1" || true; }

for machine in "$fixtures"/*/; do
  m=$(basename "$machine")
  if [ -f "$machine/proc/meminfo" ]; then
    {
      cat "$machine/proc/meminfo"
      arc="$machine/proc/spl/kstat/zfs/arcstats"
      if [ -f "$arc" ]; then printf '%s' "$sep"; cat "$arc"; fi
    } | seed meminfo "$m"
  fi
  if [ -f "$machine/proc/cpuinfo" ]; then
    {
      cat "$machine/proc/cpuinfo"; printf '%s' "$sep"
      for cpu in "$machine"/sys/devices/system/cpu/cpu[0-9]*; do
        [ -d "$cpu" ] || continue
        printf '%s %s\n' "$(cat_if "$cpu/topology/physical_package_id")" \
          "$(cat_if "$cpu/cpufreq/scaling_cur_freq")"
      done
    } | seed cpuinfo "$m"
  fi
  if [ -f "$machine/proc/self/mountinfo" ]; then
    { cat "$machine/proc/self/mountinfo"; printf '%s/dev/sr0\n/dev/sdz%s/home/user' "$sep" "$sep"; } |
      seed mountinfo "$m"
  fi
  if [ -f "$machine/etc/hosts" ] || [ -f "$machine/etc/resolv.conf" ] || [ -f "$machine/etc/hostname" ]; then
    {
      cat_if "$machine/etc/hosts"; printf '%s' "$sep"
      cat_if "$machine/etc/resolv.conf"; printf '%s' "$sep"
      cat_if "$machine/etc/hostname"; printf '%s' "$sep"
      cat_if "$machine/etc/hostname" | head -n1 | tr -d '\n'
    } | seed hosts "$m"
  fi
  [ -f "$machine/etc/passwd" ] && { cat "$machine/etc/passwd"; printf '%s1000' "$sep"; } | seed passwd "$m"
  find "$machine" -name user-dirs.dirs -type f | while read -r dirs; do
    seed user_dirs "$m" <"$dirs"
  done
  if [ -d "$machine/sys/class/power_supply" ]; then
    attributes=(type scope present online status capacity energy_now energy_full power_now
                charge_now charge_full current_now time_to_empty_now voltage_min_design
                voltage_now)
    {
      first=1
      for supply in "$machine"/sys/class/power_supply/*/; do
        for a in "${attributes[@]}"; do
          [ "$first" = 1 ] || printf '%s' "$sep"
          first=0
          cat_if "$supply/$a"
        done
      done
    } | seed power_supply "$m"
  fi
  if [ -d "$machine/sys/class/dmi/id" ]; then
    {
      cat_if "$machine/sys/class/dmi/id/bios_vendor"; printf '%s' "$sep"
      cat_if "$machine/sys/class/dmi/id/bios_date"; printf '%s' "$sep"
      cat_if "$machine/sys/class/dmi/id/bios_version"; printf '%s' "$sep"
      cat_if "$machine/sys/firmware/dmi/entries/4-0/raw"
    } | seed dmi "$m"
  fi
  for record in "$machine"/run/udev/data/*; do
    [ -f "$record" ] || continue
    name=$(basename "$record")
    seed udev_data "$m-${name//:/-}" <"$record"
  done
  for config in "$machine"/home/*/.config; do
    plasma="$config/plasmashellrc"
    xfce="$config/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml"
    lxqt="$config/lxqt/panel.conf"
    cosmic="$config/cosmic/com.system76.CosmicPanel"
    entries="$cosmic/v1/entries"
    lxpanel=
    for panel in "$config"/lxpanel/*/panels/panel; do
      if [ -f "$panel" ]; then lxpanel=$panel; break; fi
    done
    wfpanel="$config/wf-panel-pi/wf-panel-pi.ini"
    [ -f "$wfpanel" ] || wfpanel="$config/wf-panel-pi.ini"
    [ -f "$plasma" ] || [ -f "$xfce" ] || [ -f "$lxqt" ] || [ -f "$entries" ] ||
      [ -n "$lxpanel" ] || [ -f "$wfpanel" ] || continue
    user=$(basename "$(dirname "$config")")
    name=$m; [ "$user" = alice ] || name="$m-$user"
    { cat_if "$plasma"; printf '%s' "$sep"; cat_if "$xfce"; printf '%s' "$sep"; cat_if "$lxqt"
      printf '%s' "$sep"; cat_if "$entries"; printf '%s' "$sep"
      cat_if "$cosmic.Panel/v1/autohide"; printf '%s' "$sep"; cat_if "$cosmic.Panel/v1/layer"
      printf '%s' "$sep"; [ -z "$lxpanel" ] || cat "$lxpanel"
      printf '%s' "$sep"; cat_if "$config/plasma-org.kde.plasma.desktop-appletsrc"
      printf '%s' "$sep"; cat_if "$wfpanel"
      printf '%s' "$sep"; cat_if "$machine/usr/share/wf-panel-pi/metadata/panel-pi.xml"
      printf '%s' "$sep"; cat_if "$config/tint2/tint2rc"; } |
      seed panel_files "$name"
  done
  find "$machine" \( -path '*/sway/config*' -o -path '*/.sway/config' \) -type f | sort |
    while read -r config; do
      seed sway_config "$m-$(printf '%s' "${config#"$machine"}" | md5sum | cut -c1-8)" <"$config"
    done
  find "$machine" -path '*waybar/config*' -type f | sort | while read -r config; do
    seed waybar "$m-$(printf '%s' "${config#"$machine"}" | md5sum | cut -c1-8)" <"$config"
  done
  for link in "$machine"/dev/disk/by-label/* "$machine"/dev/disk/by-uuid/*; do
    [ -L "$link" ] || continue
    printf '%s' "$(basename "$link")" | seed volume_ids "$m-$(basename "$link" | md5sum | cut -c1-8)"
  done
done
for scenario in tests/gui/scenarios/*.scenario; do
  seed scenario "$(basename "$scenario" .scenario)" <"$scenario"
done
