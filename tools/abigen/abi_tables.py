"""Reads and checks the runtime's ABI tables (tools/abigen/tables/).

interfaces.tsv lists each interface's own methods in vtable order with their
slot numbers, as the published header has them; own-interfaces.tsv, in the
same columns, the interfaces whose published rows we do not hold, declared
after the published interfaces' documented meaning with ids of our own (so a
runtime that knows only the published ids refuses them at QueryInterface); exports.tsv the loader library's exports; enums.tsv the
enumerations, the layouts of the structures passed by value and the sizes of
the scalar types. The readers check that the slots are continuous along every
chain and that every type named in a parameter is known, and refuse the tables
otherwise, since a declaration that compiles but misplaces one slot would call
the wrong method of the real runtime.

Python 3 standard library only.
"""

from __future__ import annotations

import csv
import re
from dataclasses import dataclass, field
from pathlib import Path

# Types of parameters that ComTypes.h or WebView2Structs.h declare.
SCALAR_TYPES = {
    "BOOL", "HRESULT", "HWND", "INT", "INT32", "INT64", "UINT", "UINT32", "UINT64", "LPCWSTR", "LPWSTR",
    "PCWSTR", "double", "int", "void", "REFIID", "EventRegistrationToken", "RECT", "POINT",
    "DWORD", "HCURSOR",
}
# System interfaces: the system's own on Windows, opaque elsewhere (ComTypes.h).
SYSTEM_INTERFACES = {"IUnknown", "IStream", "VARIANT", "IDataObject"}

# Structures the runtime's header itself declares (the others are the system's).
OWN_STRUCTS = {"COREWEBVIEW2_COLOR", "COREWEBVIEW2_PHYSICAL_KEY_STATUS"}
FIELD_TYPES = {"BYTE": "BYTE", "UINT32": "UINT32", "BOOL": "BOOL"}

GUID_PATTERN = re.compile(
    r"^\{([0-9A-F]{8})-([0-9A-F]{4})-([0-9A-F]{4})-([0-9A-F]{4})-([0-9A-F]{12})\}$")


class TableError(Exception):
    pass


@dataclass
class Parameter:
    type: str  # as written, e.g. "const LPCWSTR" or "ICoreWebView2Settings**"
    name: str

    @property
    def base_type(self) -> str:
        return self.type.replace("const ", "").rstrip("*").strip()


@dataclass
class Method:
    slot: int
    name: str
    parameters: list[Parameter]


@dataclass
class Interface:
    name: str
    iid: str
    base: str
    methods: list[Method] = field(default_factory=list)
    # Declared by own-interfaces.tsv: its id is ours, not the published one.
    own_id: bool = False


@dataclass
class Export:
    name: str
    return_type: str
    parameters: list[Parameter]
    stack_bytes: int


@dataclass
class EnumType:
    name: str
    members: list[tuple[str, int]] = field(default_factory=list)


@dataclass
class StructField:
    name: str
    type: str
    offset: int
    size: int


@dataclass
class StructType:
    name: str
    fields: list[StructField] = field(default_factory=list)
    size: int = 0


def read_table(path: Path) -> list[dict[str, str]]:
    with path.open(newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def parse_parameters(text: str, where: str) -> list[Parameter]:
    parameters = []
    for piece in filter(None, (p.strip() for p in text.split(","))):
        match = re.fullmatch(r"((?:const\s+)?[A-Za-z_][A-Za-z0-9_]*\s*\**)\s*([A-Za-z_][A-Za-z0-9_]*)", piece)
        if not match:
            raise TableError(f"{where}: cannot read the parameter '{piece}'")
        parameters.append(Parameter(re.sub(r"\s+\*", "*", match.group(1).strip()), match.group(2)))
    return parameters


def read_interfaces(path: Path, own_id: bool = False) -> list[Interface]:
    interfaces: dict[str, Interface] = {}
    for row in read_table(path):
        name = row["interface"]
        where = f"{path.name}: {name}::{row['method_name']}"
        interface = interfaces.get(name)
        if interface is None:
            interface = interfaces[name] = Interface(name, row["iid"], row["base_interface"], own_id=own_id)
        elif interface.iid != row["iid"] or interface.base != row["base_interface"]:
            raise TableError(f"{where}: id or base differs from the interface's first row")
        interface.methods.append(
            Method(int(row["slot_index"]), row["method_name"], parse_parameters(row["parameters"], where)))
    return list(interfaces.values())


def check_interfaces(interfaces: list[Interface], enums: set[str], structs: set[str]) -> set[str]:
    """Checks the chains and answers the interfaces that are named but not declared."""
    declared: dict[str, Interface] = {}
    ids: dict[str, str] = {}
    for interface in interfaces:
        if not GUID_PATTERN.match(interface.iid):
            raise TableError(f"{interface.name}: malformed id {interface.iid}")
        if interface.iid in ids:
            raise TableError(f"{interface.name}: same id as {ids[interface.iid]}")
        ids[interface.iid] = interface.name
        if interface.name == "IUnknown":
            first_slot = 0
        else:
            if interface.base not in declared:
                raise TableError(f"{interface.name}: base {interface.base} is not declared before it")
            first_slot = slot_count(declared[interface.base])
        for offset, method in enumerate(interface.methods):
            if method.slot != first_slot + offset:
                raise TableError(f"{interface.name}::{method.name}: slot {method.slot}, "
                                 f"expected {first_slot + offset} after its base and the methods before it")
        declared[interface.name] = interface
        check_no_hiding(interface, declared)

    opaque = set()
    for interface in interfaces:
        for method in interface.methods:
            for parameter in method.parameters:
                type_name = parameter.base_type
                if type_name in declared or type_name in SYSTEM_INTERFACES or type_name in SCALAR_TYPES:
                    continue
                if type_name in enums or type_name in structs:
                    continue
                if re.fullmatch(r"ICoreWebView2[A-Za-z0-9_]*", type_name):
                    opaque.add(type_name)
                    continue
                raise TableError(f"{interface.name}::{method.name}: unknown type {parameter.type}")
    return opaque


def check_no_hiding(interface: Interface, declared: dict[str, Interface]) -> None:
    # A later version re-declaring a name would hide the earlier method in C++.
    names = {m.name for m in interface.methods}
    base = declared.get(interface.base)
    while base is not None:
        clash = names & {m.name for m in base.methods}
        if clash:
            raise TableError(f"{interface.name}: re-declares {sorted(clash)} of {base.name}")
        base = declared.get(base.base) if base.name != "IUnknown" else None


def slot_count(interface: Interface) -> int:
    return interface.methods[-1].slot + 1 if interface.methods else 0


def read_exports(path: Path) -> list[Export]:
    exports = []
    for row in read_table(path):
        if "__stdcall" not in row["calling_convention"]:
            raise TableError(f"{path.name}: {row['name']} is not __stdcall")
        exports.append(Export(row["name"], row["return_type"],
                              parse_parameters(row["parameters"], f"{path.name}: {row['name']}"),
                              int(row["x86_stack_bytes"])))
    return exports


def read_enums_and_structs(path: Path) -> tuple[list[EnumType], list[StructType]]:
    enums: dict[str, EnumType] = {}
    structs: dict[str, StructType] = {}
    for row in read_table(path):
        kind = row["kind"]
        if kind == "enum":
            enum = enums.setdefault(row["type"], EnumType(row["type"]))
            value = int(row["value"])
            if value != int(row["hex"], 16) and value != int(row["hex"], 16) - (1 << 32):
                raise TableError(f"{path.name}: {row['member']}: value and bit pattern disagree")
            enum.members.append((row["member"], value))
        elif kind == "struct":
            struct = structs.setdefault(row["type"], StructType(row["type"]))
            struct.fields.append(StructField(row["member"], row["c_type"], int(row["offset"]), int(row["size"])))
        elif kind == "struct-total":
            structs.setdefault(row["type"], StructType(row["type"])).size = int(row["size"])
    for struct in structs.values():
        if struct.name in OWN_STRUCTS:
            for f in struct.fields:
                if f.type not in FIELD_TYPES:
                    raise TableError(f"{path.name}: {struct.name}.{f.name}: field type {f.type} not known")
    return list(enums.values()), list(structs.values())


@dataclass
class AbiTables:
    interfaces: list[Interface]
    exports: list[Export]
    enums: list[EnumType]
    structs: list[StructType]
    # Interfaces named in parameters but not declared by the tables.
    opaque: set[str]

    def interface(self, name: str) -> Interface:
        for interface in self.interfaces:
            if interface.name == name:
                return interface
        raise TableError(f"{name} is not an interface of the tables")

    def chain(self, name: str) -> list[Interface]:
        """The interface and its bases down to (without) IUnknown, the oldest first."""
        chain = []
        interface = self.interface(name)
        while interface.name != "IUnknown":
            chain.append(interface)
            interface = self.interface(interface.base)
        return list(reversed(chain))


def read_abi_tables(folder: Path) -> AbiTables:
    interfaces = read_interfaces(folder / "interfaces.tsv")
    own = folder / "own-interfaces.tsv"
    if own.exists():
        published = {i.name for i in interfaces}
        for interface in read_interfaces(own, own_id=True):
            if interface.name in published:
                raise TableError(f"{own.name}: {interface.name} is already in interfaces.tsv")
            interfaces.append(interface)
    exports = read_exports(folder / "exports.tsv")
    enums, structs = read_enums_and_structs(folder / "enums.tsv")
    opaque = check_interfaces(interfaces, {e.name for e in enums}, {s.name for s in structs})
    declared = {i.name for i in interfaces}
    for e in exports:
        for p in e.parameters:
            if p.base_type not in SCALAR_TYPES and p.base_type not in declared:
                raise TableError(f"exports.tsv: {e.name}: unknown type {p.type}")
    return AbiTables(interfaces, exports, enums, structs, opaque)
