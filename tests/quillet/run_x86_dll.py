#!/usr/bin/python3
"""Runs the exports of the x86 Quillet.dll in an x86 emulator (Unicorn), as a 32-bit setup
program calls them. These machines cannot run 32-bit Wine, so this is where the x86 build's own
code is executed: the image is mapped section by section (with each section's protection),
relocated, its imports pointed at stubs of this test (PostMessageA records its arguments, the C
library functions are done here), and each export called with three arguments pushed and a
return address, as a stdcall caller does. Checked: the results, the posted message and its
parameters, that the export removed exactly its 12 bytes of arguments, kept the registers a
caller relies on, and wrote nothing of its caller's stack.

The whole run is done twice: at the image base and at another base, where only a complete
relocation table keeps the code working (Windows loads a DLL elsewhere when its base is taken).

Usage: run_x86_dll.py Quillet.dll       exit status 0 when every check holds, 1 otherwise
"""
import struct
import sys

import pefile
from unicorn import (UC_ARCH_X86, UC_HOOK_CODE, UC_HOOK_MEM_INVALID, UC_MODE_32, UC_PROT_ALL,
                     UC_PROT_EXEC, UC_PROT_READ, UC_PROT_WRITE, Uc, UcError)
from unicorn.x86_const import (UC_X86_REG_EAX, UC_X86_REG_EBP, UC_X86_REG_EBX, UC_X86_REG_EDI,
                               UC_X86_REG_EIP, UC_X86_REG_ESI, UC_X86_REG_ESP)

PAGE = 0x1000
# The low 64 KiB stay unmapped, so a NULL pointer followed anywhere faults.
STUBS = 0x00100000  # one small code stub per import
RETURN = 0x00110000  # the caller's return address; holds hlt, and the run stops on arrival
STACK = 0x00200000
STACK_SIZE = 0x10000
DATA = 0x00300000  # argument values and texts of one call
DATA_SIZE = 0x10000
EDGE = 0x00400000  # one page with nothing mapped after it
RELOCATED_BASE = 0x30000000

INSTRUCTION_LIMIT = 5_000_000
SHOWN_FAILURES = 12
STUB_SIZE = 16
CALLER_FRAME = 0x100  # bytes above the arguments that belong to the caller
CALLER_PATTERN = 0xA5
# What the caller keeps in the registers a callee must preserve.
PRESERVED = {UC_X86_REG_EBX: 0x0B0B0B0B, UC_X86_REG_ESI: 0x05105105, UC_X86_REG_EDI: 0x0D10D10D,
             UC_X86_REG_EBP: 0x0EB0EB0E}
REGISTER_NAMES = {UC_X86_REG_EBX: "EBX", UC_X86_REG_ESI: "ESI", UC_X86_REG_EDI: "EDI",
                  UC_X86_REG_EBP: "EBP"}
# A window handle argument the exports must not use; unmapped, so a dereference faults.
UNUSED_HWND = 0x00C0FFEE


def align(value, to):
    return (value + to - 1) // to * to


def u32(value):
    return value & 0xFFFFFFFF


def s32(value):
    value &= 0xFFFFFFFF
    return value - 0x100000000 if value & 0x80000000 else value


class EmulationFault(Exception):
    pass


class X86Dll:
    """One x86 DLL mapped into a fresh emulator, with its imports bound to this test's stubs."""

    def __init__(self, path, base):
        self.pe = pefile.PE(path)
        if self.pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
            raise EmulationFault(f"{path} is not an x86 image")
        if not self.pe.is_dll():
            raise EmulationFault(f"{path} is not a DLL")
        self.base = base
        self.uc = Uc(UC_ARCH_X86, UC_MODE_32)
        self.posted = []  # (hwnd, message, wParam, lParam) of each PostMessageA call
        self.unexpected = []  # imports called that no export should need
        self.invalid = None
        self.stubs = {}  # stub address -> (import name, handler)
        self.map_image()
        for address, size, prot in ((STUBS, PAGE, UC_PROT_ALL), (RETURN, PAGE, UC_PROT_ALL),
                                    (STACK, STACK_SIZE, UC_PROT_READ | UC_PROT_WRITE),
                                    (DATA, DATA_SIZE, UC_PROT_READ | UC_PROT_WRITE),
                                    (EDGE, PAGE, UC_PROT_READ | UC_PROT_WRITE)):
            self.uc.mem_map(address, size, prot)
        self.uc.mem_write(RETURN, b"\xf4")
        self.bind_imports()
        self.protect_sections()
        self.uc.mem_protect(STUBS, PAGE, UC_PROT_READ | UC_PROT_EXEC)
        self.uc.mem_protect(RETURN, PAGE, UC_PROT_READ | UC_PROT_EXEC)
        self.uc.hook_add(UC_HOOK_CODE, self.on_stub, begin=STUBS, end=STUBS + PAGE - 1)
        self.uc.hook_add(UC_HOOK_MEM_INVALID, self.on_invalid)
        self.exports = {}
        for symbol in self.pe.DIRECTORY_ENTRY_EXPORT.symbols:
            if symbol.name is not None and symbol.forwarder is None:
                self.exports[symbol.name.decode()] = base + symbol.address

    def map_image(self):
        pe = self.pe
        size = align(pe.OPTIONAL_HEADER.SizeOfImage, PAGE)
        image = bytearray(size)
        image[:pe.OPTIONAL_HEADER.SizeOfHeaders] = pe.header[:pe.OPTIONAL_HEADER.SizeOfHeaders]
        for section in pe.sections:
            data = section.get_data()[:section.Misc_VirtualSize or section.SizeOfRawData]
            image[section.VirtualAddress:section.VirtualAddress + len(data)] = data
        self.relocate(image)
        self.uc.mem_map(self.base, size, UC_PROT_ALL)
        self.uc.mem_write(self.base, bytes(image))

    def relocate(self, image):
        delta = u32(self.base - self.pe.OPTIONAL_HEADER.ImageBase)
        if delta == 0:
            return
        if not hasattr(self.pe, "DIRECTORY_ENTRY_BASERELOC"):
            raise EmulationFault("no relocation table: the DLL loads only at its image base")
        for block in self.pe.DIRECTORY_ENTRY_BASERELOC:
            for entry in block.entries:
                if entry.type == pefile.RELOCATION_TYPE["IMAGE_REL_BASED_ABSOLUTE"]:
                    continue
                if entry.type != pefile.RELOCATION_TYPE["IMAGE_REL_BASED_HIGHLOW"]:
                    raise EmulationFault(f"relocation type {entry.type} at {entry.rva:#x}")
                (value,) = struct.unpack_from("<I", image, entry.rva)
                struct.pack_into("<I", image, entry.rva, u32(value + delta))

    def protect_sections(self):
        """Each section gets what its characteristics allow, as the Windows loader does."""
        pe = self.pe
        self.uc.mem_protect(self.base, PAGE, UC_PROT_READ)
        alignment = pe.OPTIONAL_HEADER.SectionAlignment
        for section in pe.sections:
            flags = section.Characteristics
            prot = UC_PROT_READ if flags & 0x40000000 else 0
            if flags & 0x20000000:
                prot |= UC_PROT_EXEC
            if flags & 0x80000000:
                prot |= UC_PROT_WRITE
            size = align(max(section.Misc_VirtualSize, 1), alignment)
            self.uc.mem_protect(self.base + section.VirtualAddress, size, prot)

    def bind_imports(self):
        handlers = {
            "user32.dll!PostMessageA": (16, self.post_message),
            "msvcrt.dll!strstr": (0, self.strstr),
            "msvcrt.dll!strchr": (0, self.strchr),
            "msvcrt.dll!strlen": (0, self.strlen),
            "msvcrt.dll!strncmp": (0, self.strncmp),
            "msvcrt.dll!strcmp": (0, self.strcmp),
            "msvcrt.dll!memcpy": (0, self.memcpy),
            "msvcrt.dll!memmove": (0, self.memcpy),
            "msvcrt.dll!memset": (0, self.memset),
        }
        stub = STUBS
        for library in getattr(self.pe, "DIRECTORY_ENTRY_IMPORT", []):
            dll = library.dll.decode()
            for imported in library.imports:
                if imported.name is None:
                    raise EmulationFault(f"{dll} ordinal {imported.ordinal} imported by number")
                name = f"{dll}!{imported.name.decode()}"
                pops, handler = handlers.get(f"{dll.lower()}!{imported.name.decode()}", (0, None))
                # stdcall stubs remove their arguments, cdecl ones leave them to the caller.
                code = b"\xc2" + struct.pack("<H", pops) if pops else b"\xc3"
                self.uc.mem_write(stub, code)
                self.stubs[stub] = (name, handler)
                rva = imported.address - self.pe.OPTIONAL_HEADER.ImageBase
                self.uc.mem_write(self.base + rva, struct.pack("<I", stub))
                stub += STUB_SIZE
                if stub >= STUBS + PAGE:
                    raise EmulationFault("too many imports for the stub page")

    # The stubs run on arrival at their address, before its ret; they read their arguments
    # above the return address and answer in EAX.

    def on_stub(self, uc, address, size, user_data):
        name, handler = self.stubs.get(address, (None, None))
        if name is None:
            return
        if handler is None:
            self.unexpected.append(name)
            uc.emu_stop()
            return
        uc.reg_write(UC_X86_REG_EAX, u32(handler(*self.stack_args(4))))

    def on_invalid(self, uc, access, address, size, value, user_data):
        self.invalid = (address, uc.reg_read(UC_X86_REG_EIP))
        return False

    def stack_args(self, count):
        esp = self.uc.reg_read(UC_X86_REG_ESP)
        return struct.unpack("<" + "I" * count, self.uc.mem_read(esp + 4, 4 * count))

    def post_message(self, hwnd, message, wparam, lparam):
        self.posted.append((hwnd, message, wparam, lparam))
        return 1

    def c_string(self, address, limit=1 << 20):
        out = bytearray()
        while len(out) < limit:
            byte = self.uc.mem_read(address + len(out), 1)[0]
            if byte == 0:
                return bytes(out)
            out.append(byte)
        raise EmulationFault(f"string at {address:#x} has no end")

    def strstr(self, haystack, needle, *_):
        found = self.c_string(haystack).find(self.c_string(needle))
        return 0 if found < 0 else haystack + found

    def strchr(self, text, char, *_):
        data = self.c_string(text) + b"\0"
        found = data.find(bytes([char & 0xFF]))
        return 0 if found < 0 else text + found

    def strlen(self, text, *_):
        return len(self.c_string(text))

    def strncmp(self, a, b, count, *_):
        return self.compare(self.c_string(a, count)[:count], self.c_string(b, count)[:count])

    def strcmp(self, a, b, *_):
        return self.compare(self.c_string(a), self.c_string(b))

    @staticmethod
    def compare(a, b):
        return (a > b) - (a < b)

    def memcpy(self, destination, source, count, *_):
        self.uc.mem_write(destination, bytes(self.uc.mem_read(source, count)))
        return destination

    def memset(self, destination, value, count, *_):
        self.uc.mem_write(destination, bytes([value & 0xFF]) * count)
        return destination

    def call(self, name, args):
        """Calls an export as a 32-bit stdcall caller does. Returns (EAX, bytes of arguments the
        export removed, problems seen)."""
        problems = []
        self.posted = []
        self.unexpected = []
        self.invalid = None
        top = STACK + STACK_SIZE - 2 * CALLER_FRAME
        self.uc.mem_write(top, bytes([CALLER_PATTERN]) * CALLER_FRAME)
        frame = struct.pack("<I" + "I" * len(args), RETURN, *[u32(a) for a in args])
        esp = top - len(frame)
        self.uc.mem_write(esp, frame)
        self.uc.reg_write(UC_X86_REG_ESP, esp)
        for register, value in PRESERVED.items():
            self.uc.reg_write(register, value)
        start = self.exports[name]
        try:
            self.uc.emu_start(start, RETURN, count=INSTRUCTION_LIMIT)
        except UcError as error:
            where = ""
            if self.invalid is not None:
                where = f" (access to {self.invalid[0]:#x} at {self.invalid[1]:#x})"
            problems.append(f"faulted: {error}{where}")
        except EmulationFault as fault:
            problems.append(f"faulted: {fault}")
        for imported in self.unexpected:
            problems.append(f"called {imported}, which it should not need")
        eip = self.uc.reg_read(UC_X86_REG_EIP)
        if not problems and eip != RETURN:
            problems.append(f"did not return to its caller (EIP {eip:#x})")
        removed = self.uc.reg_read(UC_X86_REG_ESP) - (esp + 4)
        for register, value in PRESERVED.items():
            now = self.uc.reg_read(register)
            if now != value and not problems:
                problems.append(f"changed {REGISTER_NAMES[register]} ({value:#x} -> {now:#x})")
        if bytes(self.uc.mem_read(top, CALLER_FRAME)) != bytes([CALLER_PATTERN]) * CALLER_FRAME:
            problems.append("wrote into its caller's stack above the arguments")
        return s32(self.uc.reg_read(UC_X86_REG_EAX)), removed, problems


class Arguments:
    """Lays out the pointed-to values and texts of one call in the data region."""

    def __init__(self, uc):
        self.uc = uc
        self.next = DATA
        uc.mem_write(DATA, b"\xcc" * DATA_SIZE)

    def put(self, data):
        address = self.next
        self.uc.mem_write(address, data)
        self.next = align(address + len(data) + 1, 16)
        return address

    def long(self, value):
        return self.put(struct.pack("<i", value))

    def text(self, value):
        return self.put(value.encode("latin-1") + b"\0")

    def read_long(self, address):
        return struct.unpack("<i", self.uc.mem_read(address, 4))[0]


class Checks:
    def __init__(self, label):
        self.label = label
        self.count = 0
        self.failures = []

    def expect(self, condition, what):
        self.count += 1
        if not condition:
            self.failures.append(what)


def shown(text):
    if text is None:
        return "NULL"
    return repr(text if len(text) <= 60 else text[:60] + "...")


def call_checked(dll, checks, name, args, what):
    """Calls name and checks what every call must satisfy; returns its result."""
    result, removed, problems = dll.call(name, args)
    for problem in problems:
        checks.expect(False, f"{name}({what}) {problem}")
    offset = 12 - removed
    place = f"{abs(offset)} bytes {'below' if offset > 0 else 'above'}"
    checks.expect(bool(problems) or removed == 12,
                  f"{name}({what}): ESP ends {place} where it was before the pushes: the export "
                  f"removed {removed} bytes of arguments, a stdcall export of three arguments "
                  f"removes 12")
    return result


def check_post_msg(dll, checks):
    W = "+W:1A2B"
    cases = [
        # text, flag (None: NULL pointer), expected (window, message, wParam)
        ("+W:1A2B +M:8001", 5, (0x1A2B, 0x8001, 1)),
        ("+W:1A2B +M:8001", 0, (0x1A2B, 0x8001, 0)),
        ("+W:1A2B +M:8001", -1, (0x1A2B, 0x8001, 1)),
        ("+M:8001 +W:1A2B", 5, (0x1A2B, 0x8001, 1)),
        ("+w:1a2b +m:8002", 5, (0x1A2B, 0x8002, 1)),
        ("+W:0x1A2B +M:0x8003", 5, (0x1A2B, 0x8003, 1)),
        (W + " +M:10 +M:20 +L:5 +P:6", 5, (0x1A2B, 0x20, 1)),
        ("  +W:1A2B    +M:8001  ", 1, (0x1A2B, 0x8001, 1)),
        (W + " +M:8004", None, (0x1A2B, 0x8004, 0)),
        # No window token, or one whose value starts at the colon: window 0, the thread queue.
        ("+M:8005", 1, (0, 0x8005, 1)),
        ("x+W:12 +M:8005", 1, (0, 0x8005, 1)),
        ("+W:80000000 +M:-1", 1, (0x7FFFFFFF, 0xFFFFFFFF, 1)),
        (None, 1, (0, 0, 1)),
        # The window token is the 30th; the 31st and text past 1,023 characters are ignored.
        ("+M:1 " * 28 + "+M:8006" + "z" * 30 + " " + W + " +M:2 " + "q" * 5000, 1,
         (0x1A2B, 0x8006, 1)),
    ]
    for text, flag, expected in cases:
        args = Arguments(dll.uc)
        flag_address = 0 if flag is None else args.long(flag)
        text_address = 0 if text is None else args.text(text)
        what = f"flag {flag}, {shown(text)}"
        result = call_checked(dll, checks, "KVO_PostMsg", (UNUSED_HWND, flag_address, text_address),
                              what)
        checks.expect(result == 0, f"KVO_PostMsg({what}) returned {result}, not 0")
        window, message, wparam = expected
        checks.expect(dll.posted == [(window, message, wparam, 0)],
                      f"KVO_PostMsg({what}) posted {format_posts(dll.posted)}, expected "
                      f"{format_posts([(window, message, wparam, 0)])}")
        if flag is not None:
            checks.expect(args.read_long(flag_address) == flag,
                          f"KVO_PostMsg({what}) wrote the flag")

    # 1,023 characters without a terminator, at the very end of mapped memory: a read of one
    # character more faults.
    text = ("+W:12 +M:34 " + "z" * 1023)[:1023].encode()
    dll.uc.mem_write(EDGE + PAGE - len(text), text)
    args = Arguments(dll.uc)
    result = call_checked(dll, checks, "KVO_PostMsg",
                          (UNUSED_HWND, args.long(1), EDGE + PAGE - len(text)),
                          "1,023 characters and no terminator")
    checks.expect(result == 0, f"KVO_PostMsg(1,023 characters) returned {result}, not 0")
    checks.expect(dll.posted == [(0x12, 0x34, 1, 0)],
                  f"KVO_PostMsg(1,023 characters) posted {format_posts(dll.posted)}")


def format_posts(posts):
    if not posts:
        return "nothing"
    return ", ".join(f"(hwnd {h:#x}, message {m:#x}, wParam {w}, lParam {l})"
                     for h, m, w, l in posts)


def check_strtol(dll, checks):
    cases = [
        ("  -42abc", 10, -42), ("ff", 16, 255), ("0x1A", 0, 26), ("017", 0, 15),
        ("zz", 36, 1295), ("101", 2, 5), ("12", 1, 0), ("12", 37, 0), ("12", -5, 0),
        ("99999999999", 10, 2147483647), ("-99999999999", 10, -2147483648),
        ("FFFFFFFF", 16, 2147483647), ("", 10, 0),
        ("0x10", None, 16),  # a NULL base pointer counts as base 0
        (None, 10, 0),
    ]
    for text, base, expected in cases:
        args = Arguments(dll.uc)
        base_address = 0 if base is None else args.long(base)
        text_address = 0 if text is None else args.text(text)
        what = f"base {base}, {shown(text)}"
        result = call_checked(dll, checks, "KVO_Strtol", (UNUSED_HWND, base_address, text_address),
                              what)
        checks.expect(result == expected, f"KVO_Strtol({what}) returned {result}, not {expected}")
        checks.expect(not dll.posted, f"KVO_Strtol({what}) posted {format_posts(dll.posted)}")
        if base is not None:
            checks.expect(args.read_long(base_address) == base,
                          f"KVO_Strtol({what}) wrote the base")


def run(path, base, label):
    checks = Checks(label)
    try:
        dll = X86Dll(path, base)
    except (EmulationFault, pefile.PEFormatError, UcError) as error:
        checks.expect(False, f"could not map {path}: {error}")
        return checks
    for name in ("KVO_PostMsg", "KVO_Strtol"):
        checks.expect(name in dll.exports, f"no export named {name}")
    if len(checks.failures) == 0:
        check_post_msg(dll, checks)
        check_strtol(dll, checks)
    return checks


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    path = sys.argv[1]
    image_base = pefile.PE(path, fast_load=True).OPTIONAL_HEADER.ImageBase
    failed = False
    for base, label in ((image_base, "at its image base"), (RELOCATED_BASE, "relocated")):
        checks = run(path, base, label)
        for failure in checks.failures[:SHOWN_FAILURES]:
            print(f"FAIL ({label}): {failure}")
        if len(checks.failures) > SHOWN_FAILURES:
            print(f"FAIL ({label}): ... and {len(checks.failures) - SHOWN_FAILURES} more")
        print(f"x86 Quillet.dll {label} ({base:#x}): {checks.count} checks, "
              f"{len(checks.failures)} failed")
        failed = failed or bool(checks.failures)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
