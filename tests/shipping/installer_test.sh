#!/usr/bin/env bash
# The installer in a fresh Wine prefix of its own: installed silently it makes the filter
# creatable by class id (arpvalidate does CoCreateInstance), records the help folder and adds
# exactly the keys the DLL's own registration writes, its file folder, the help folder's key
# and the entry in the list of installed programs; installing again changes nothing; the
# uninstaller gives back the prefix as it was (files and registry), but for the "MIDI Filters"
# key that the DLL's unregistration leaves by design. Then once more into a folder of the
# user's choosing (/D=).
# With --formats, the installer also carries the VST3 bundle and the CLAP plug-in: exactly those
# files are added under Common Files, and taken back with the rest.
# Usage: installer_test.sh WINE-RUN PREFIX SETUP.exe ARPVALIDATE.exe [--formats]
set -uo pipefail
run=$1 prefix=$2 setup=$3 validator=$4 formats=${5:-}
export WINEPREFIX=$prefix
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

wine() { "$run" "$prefix" "$@"; }
# Every program of the prefix ended, the registry written to its files.
settle() { "$wineserver" -w; }
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

company='Veskar Music Software'
default_dir="C:\\Program Files\\$company\\Shared MIDI Plugins"
shared_key="HKEY_LOCAL_MACHINE\\Software\\$company\\Shared MIDI Plugins"
uninstall_key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veskar FX Arpeggiator'

# The prefix's files, and its registry as "key|value" lines without the files' timestamps.
# Left out: what Wine itself changes on any start (device records, time zones, its own
# temporary files) and the uninstaller's copy of itself: NSIS runs it from a ~nsu*.tmp folder
# under Temp, which it asks to remove at the next restart (PendingFileRenameOperations).
# Wine's registry files leave out a key without values that has subkeys: the company key
# shows only as long as it has no subkey.
snapshot() {
    settle
    (cd "$prefix/drive_c" && find . -path ./windows/temp -prune -o -path '*/Temp' -prune -o \
        -path ./windows/inf -prune -o -printf '%y %p\n' | grep -v '/~nsu' | sort)
    for hive in system.reg user.reg; do
        awk -v hive="$hive" '
            /^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key); print hive "|" key; next }
            /^#time=/ || /^$/ || /^;;/ || /^WINE REGISTRY/ || /^#arch=/ { next }
            { print hive "|" key "|" $0 }' "$prefix/$hive"
    done | grep -v -e '\\\\Enum\\\\' -e '\\\\DeviceClasses\\\\' -e '\\\\Control\\\\Class\\\\' \
        -e 'DynDaylightDisabled\|\\\\Time Zones\\\\\|\\\\TimeZoneInformation' \
        -e 'Software\\\\Wine\\\\' -e '\\\\MountedDevices' -e '\\\\Volatile Environment' \
        -e '"PendingFileRenameOperations"=.*~nsu' | sort
}
# The lines of a snapshot that name registry keys, given two snapshots: the keys in the second
# only.
added_keys() { comm -13 <(echo "$1" | grep -v '^[a-z] ' | awk -F'|' 'NF==2') \
                        <(echo "$2" | grep -v '^[a-z] ' | awk -F'|' 'NF==2'); }

install() {  # [FOLDER]
    local args=(/S)
    [ $# -gt 0 ] && args+=("/D=$1")
    wine "$(wine winepath -w "$setup" | tr -d '\r')" "${args[@]}" || fail "installer exit status"
    settle
}
uninstall() {  # FOLDER
    # The uninstaller copies itself to a temporary folder and returns at once; settle waits.
    wine "$1\\Uninstall Arpeggiator.exe" /S || fail "uninstaller exit status"
    settle
}
query_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
                  sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

check_installed() {  # FOLDER
    local folder=$1 unix
    [ "$(query_value "$shared_key" InstallDirectory)" == "$folder" ] ||
        fail "InstallDirectory is '$(query_value "$shared_key" InstallDirectory)', not '$folder'"
    unix=$(wine winepath -u "$folder" | tr -d '\r')
    for file in Arpeggiator.dll Arpeggiator.chm "Uninstall Arpeggiator.exe"; do
        [ -f "$unix/$file" ] || fail "$folder\\$file not installed"
    done
    [ "$(query_value "$uninstall_key" UninstallString)" == "\"$folder\\Uninstall Arpeggiator.exe\"" ] ||
        fail "no entry in the list of installed programs"
    wine "$(wine winepath -w "$validator" | tr -d '\r')" >"$prefix.validator.log" 2>&1 ||
        { fail "arpvalidate cannot create and drive the installed filter"; tail -5 "$prefix.validator.log"; }
}

rm -rf "$prefix" "$prefix.lock"
wine cmd /c exit 0 >/dev/null 2>&1  # creates the prefix
before=$(snapshot)

echo "=== install silently into the default folder"
install
check_installed "$default_dir"
installed=$(snapshot)
# Exactly the keys of the DLL's registration, the help folder and the programs list (the
# company key and "MIDI Filters" hold no values and have subkeys now: see snapshot).
expected_keys="system.reg|[Software\\\\Classes\\\\CLSID\\\\{B7441A61-0F5B-11D2-9134-00600817CDCA}]
system.reg|[Software\\\\Classes\\\\CLSID\\\\{B7441A61-0F5B-11D2-9134-00600817CDCA}\\\\InprocServer32]
system.reg|[Software\\\\Classes\\\\CLSID\\\\{C7594340-029B-11D5-9B01-006008C4F4C8}]
system.reg|[Software\\\\Classes\\\\CLSID\\\\{C7594340-029B-11D5-9B01-006008C4F4C8}\\\\InprocServer32]
system.reg|[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Veskar FX Arpeggiator]
system.reg|[Software\\\\Veskar Music Software\\\\MIDI Filters\\\\{C7594340-029B-11D5-9B01-006008C4F4C8}]
system.reg|[Software\\\\Veskar Music Software\\\\Shared MIDI Plugins]"
expected_keys=$(echo "$expected_keys" | sort)
actual_keys=$(added_keys "$before" "$installed")
[ "$actual_keys" == "$expected_keys" ] ||
    { fail "the keys the installation added"; diff <(echo "$expected_keys") <(echo "$actual_keys"); }

# Exactly these files and folders (the hosts' folders are new in a fresh prefix).
expected_files="d ./Program Files/Veskar Music Software
d ./Program Files/Veskar Music Software/Shared MIDI Plugins
f ./Program Files/Veskar Music Software/Shared MIDI Plugins/Arpeggiator.chm
f ./Program Files/Veskar Music Software/Shared MIDI Plugins/Arpeggiator.dll
f ./Program Files/Veskar Music Software/Shared MIDI Plugins/Uninstall Arpeggiator.exe"
if [ "$formats" == --formats ]; then
    vst3='./Program Files/Common Files/VST3'
    expected_files+="
d ./Program Files/Common Files/CLAP
f ./Program Files/Common Files/CLAP/Arpeggiator.clap
d $vst3
d $vst3/Arpeggiator.vst3
d $vst3/Arpeggiator.vst3/Contents
d $vst3/Arpeggiator.vst3/Contents/x86_64-win
f $vst3/Arpeggiator.vst3/Contents/x86_64-win/Arpeggiator.vst3"
fi
expected_files=$(echo "$expected_files" | sort)
actual_files=$(comm -13 <(echo "$before" | grep '^[a-z] ') <(echo "$installed" | grep '^[a-z] '))
[ "$actual_files" == "$expected_files" ] ||
    { fail "the files the installation added"; diff <(echo "$expected_files") <(echo "$actual_files"); }

echo "=== install again: the same state"
install
again=$(snapshot)
[ "$again" == "$installed" ] ||
    { fail "a second installation changed the prefix"; diff <(echo "$installed") <(echo "$again"); }

# After uninstalling, only the "MIDI Filters" key may stay (the company key above it is not
# written to the file while it has that subkey).
check_removed() {  # WHAT
    local after left
    after=$(snapshot)
    left=$(comm -13 <(echo "$before") <(echo "$after"))
    local allowed="system.reg|[Software\\\\Veskar Music Software\\\\MIDI Filters]"
    [ "$left" == "$allowed" ] ||
        { fail "$1 left or changed:"; diff <(echo "$allowed") <(echo "$left"); }
    local gone
    gone=$(comm -23 <(echo "$before") <(echo "$after"))
    [ -z "$gone" ] || { fail "$1 removed what was there before:"; echo "$gone"; }
}

echo "=== uninstall"
uninstall "$default_dir"
check_removed "uninstalling"

echo "=== install into a chosen folder (/D=), uninstall"
# A folder whose parent exists: folders the installer makes above the one chosen stay (NSIS
# does not record them). No blank in it: /D= takes the rest of the command line unquoted, and
# wine quotes an argument with a blank.
chosen='C:\ArpeggiatorPlugin'
install "$chosen"
check_installed "$chosen"
uninstall "$chosen"
check_removed "uninstalling from the chosen folder"

[ "$failures" -eq 0 ] && echo "installer: all checks passed" || echo "installer: $failures failures"
[ "$failures" -eq 0 ]
