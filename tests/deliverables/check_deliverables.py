#!/usr/bin/env python3
"""Checks the three 32-bit deliverables as files (the Windows tests run them;
this proves what they are). Usage: check_deliverables.py BUILD_DIR PAYLOAD_DIR

Each check prints one line; the last line counts them ("N passed, N failed")."""
import struct
import sys
from pathlib import Path

IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
SUBSYSTEM_WINDOWS_GUI = 2
IMAGE_FILE_LARGE_ADDRESS_AWARE = 0x20
RESOURCE_DIRECTORY = 2


def pe_facts(data):
    """Machine, COFF characteristics, optional-header magic, subsystem and
    resource directory size."""
    (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    (machine,) = struct.unpack_from("<H", data, pe_offset + 4)
    (characteristics,) = struct.unpack_from("<H", data, pe_offset + 22)
    optional = pe_offset + 24
    (magic,) = struct.unpack_from("<H", data, optional)
    (subsystem,) = struct.unpack_from("<H", data, optional + 68)
    directories = optional + 96  # PE32 data directories
    _, resource_size = struct.unpack_from("<II", data, directories + 8 * RESOURCE_DIRECTORY)
    return machine, characteristics, magic, subsystem, resource_size


def main():
    build, payload = Path(sys.argv[1]), Path(sys.argv[2])
    programs = {
        "Ravelmend": build / "repair" / "Ravelmend.exe",
        "Tallyscope": build / "viewer" / "Tallyscope.exe",
        "Ferrydrop": build / "libcopier" / "Ferrydrop.exe",
    }
    data = {name: path.read_bytes() for name, path in programs.items()}
    results = []

    def check(what, ok):
        results.append(ok)
        print(("ok     " if ok else "FAILED ") + what)

    for name, bytes_ in data.items():
        machine, characteristics, magic, subsystem, resources = pe_facts(bytes_)
        check(f"{name} is a 32-bit x86 program (PE32, i386)", machine == IMAGE_FILE_MACHINE_I386 and magic == PE32_MAGIC)
        # So that on 64-bit Windows it may use up to 4 GB.
        check(f"{name} is large-address-aware", characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE != 0)
        check(f"{name} is a Windows GUI program", subsystem == SUBSYSTEM_WINDOWS_GUI)
        if name == "Ferrydrop":
            check("Ferrydrop carries no resources", resources == 0 and b".rsrc" not in bytes_[:4096])
        else:
            check(f"{name} has resources", resources > 0)

    ravelmend = data["Ravelmend"]
    for carried in ("Tallyscope", "Ferrydrop"):
        check(f"Ravelmend carries the built {carried}.exe byte for byte", data[carried] in ravelmend)
    for icon in ("ec.ico", "edb.ico", "fne.ico", "lib.ico"):
        check(f"Ravelmend carries {icon} byte for byte", (payload / "icons" / icon).read_bytes() in ravelmend)
    check("Ravelmend's manifest requires administrator rights",
          b'level="requireAdministrator"' in ravelmend and b'uiAccess="false"' in ravelmend)
    check("Ravelmend's manifest binds the x86 common controls 6.0.0.0",
          b'processorArchitecture="x86"' in ravelmend and b'version="6.0.0.0"' in ravelmend)
    tallyscope = data["Tallyscope"]
    check("Tallyscope's manifest binds common controls 6 and asks for no execution level",
          b"Microsoft.Windows.Common-Controls" in tallyscope and b"requestedExecutionLevel" not in tallyscope)

    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
