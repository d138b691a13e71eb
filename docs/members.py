#!/usr/bin/env python3
"""The member reference of Knotel, written once in the doc comments of the public headers
(control/include/knotel/) and given from there to every place that shows it.

A member's comment is its first paragraph (what it does), free text, and these tags, each at the
start of a line, read by this script and by Doxygen alike:

    @default 80                 the value of a fresh control (properties)
    @values Axis units; ...     unit, range, and what a value outside it does (properties)
    @throws knotel::RuntimeError 9 when ...   an error code and when it comes
    @param, @return, @code ... @endcode, @p name, @c text    as Doxygen reads them

Commands (run with Python 3.11, standard library only):

    members.py readme [--check] README.md   rewrite (or check) the README's generated reference
    members.py sip SRC_DIR OUT_DIR          the binding's .sip files with a docstring per member
    members.py pyi SIP_PYI PACKAGE OUT_DIR  the package's stubs: sip's own, with the properties,
                                            DroppedValue and docstrings the package adds
    members.py doxygen OUT_DIR [--qt-tags FILE --qt-include DIR]
                                            the reference's pages that the headers alone do not
                                            give: the main page (from the README), Curve's property
                                            table, setters and change signals, the QML type, the
                                            Python module, the examples; and a tag file for the
                                            Qt classes it names
    members.py qhp INDEX_QHP                Qt Creator's keyword ids in Doxygen's help project
"""

from __future__ import annotations

import argparse
import ast
import difflib
import re
import sys
import textwrap
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
HEADERS = ROOT / "control" / "include" / "knotel"
QUICK_HEADER = ROOT / "quick" / "QuickCurve.h"

# --------------------------------------------------------------------------------------------
# Doc comments


@dataclass
class Doc:
    """A doc comment, split into its text and the tags this script reads."""

    text: str = ""  # everything but the tags below, Doxygen markup kept
    default: str = ""
    values: str = ""
    throws: list[str] = field(default_factory=list)  # "9 when ...", the exception's name dropped

    @property
    def brief(self) -> str:
        """The first sentence of the first paragraph."""
        first = self.paragraphs()[0] if self.paragraphs() else ""
        match = re.match(r"(.+?\.)(\s|$)", first, re.S)
        return " ".join((match.group(1) if match else first).split())

    def paragraphs(self, code: bool = False) -> list[str]:
        """The text's paragraphs, each on one line; code blocks only when asked for."""
        parts = re.split(r"(@code.*?@endcode)", self.text, flags=re.S)
        out: list[str] = []
        for part in parts:
            if part.startswith("@code"):
                if code:
                    out.append(part)
                continue
            out += [" ".join(p.split()) for p in re.split(r"\n\s*\n", part) if p.strip()]
        return out

    @property
    def summary(self) -> str:
        """The text without code blocks, in one line."""
        return " ".join(self.paragraphs())


TAG = re.compile(r"^@(default|values|throws)\b\s*", re.M)


def parse_doc(comment: str) -> Doc:
    """Reads a /** ... */ or ///< comment into a Doc."""
    body = re.sub(r"^/\*\*<?|\*/$|^///<?", "", comment.strip())
    lines = [re.sub(r"^\s*\* ?", "", line) if line.lstrip().startswith("*") else line.strip()
             for line in body.splitlines()]
    body = textwrap.dedent("\n".join(lines)).strip()
    doc = Doc()
    pieces = TAG.split(body)
    text = [pieces[0]]
    for tag, value in zip(pieces[1::2], pieces[2::2]):
        # A tag's paragraph runs to a blank line or the next @tag at a line start.
        value, _, rest = value.partition("\n\n")
        rest_at = re.search(r"^@\w", value, re.M)
        if rest_at:
            value, rest = value[: rest_at.start()], value[rest_at.start():] + ("\n\n" + rest if rest else "")
        value = " ".join(value.split())
        if tag == "throws":
            doc.throws.append(value.split(None, 1)[1] if " " in value else value)
        else:
            setattr(doc, tag, value)
        if rest.strip():
            text.append(rest)
    doc.text = "\n\n".join(t.strip() for t in text if t.strip())
    return doc


# --------------------------------------------------------------------------------------------
# Headers


@dataclass
class Member:
    name: str
    kind: str  # function, signal, variable, type, enumerator
    declaration: str  # as written, in one line
    access: str  # public, protected, private, signals
    scope: str  # the enclosing class, "" at namespace level
    doc: Doc | None = None
    invokable: bool = False


@dataclass
class Property:
    name: str
    type: str
    read: str
    write: str
    notify: str
    late_bound: bool  # on the late-bound face (the 38, in their order)
    attributes: str = ""
    doc: Doc | None = None  # a comment of the Q_PROPERTY line itself


@dataclass
class Class:
    name: str
    doc: Doc | None
    bases: list[str] = field(default_factory=list)
    members: list[Member] = field(default_factory=list)
    properties: list[Property] = field(default_factory=list)

    def member(self, name: str, kind: str | None = None) -> Member | None:
        for m in self.members:
            if m.name == name and (kind is None or m.kind == kind):
                return m
        return None

    def property_of(self, member: str) -> Property | None:
        """The property whose getter, setter or notify signal @p member is."""
        for p in self.properties:
            if member in (p.read, p.write, p.notify):
                return p
        return None

    def property_doc(self, prop: Property) -> Doc:
        """The getter's doc, the one place a property is described; else the Q_PROPERTY's own."""
        getter = self.member(prop.read, "function")
        return getter.doc if getter and getter.doc else prop.doc or Doc()


@dataclass
class Header:
    path: Path
    classes: dict[str, Class] = field(default_factory=dict)
    members: list[Member] = field(default_factory=list)  # at namespace level


def _balanced(text: str, i: int, open_: str, close: str) -> int:
    """The index after the bracket that closes the one at text[i]."""
    depth = 0
    while i < len(text):
        if text.startswith("//", i):
            i = text.find("\n", i)
            continue
        if text.startswith("/*", i):
            i = text.index("*/", i) + 2
            continue
        if text[i] == open_:
            depth += 1
        elif text[i] == close:
            depth -= 1
            if depth == 0:
                return i + 1
        elif text[i] in "\"'":
            i = text.index(text[i], i + 1)
        i += 1
    return i


def _declared_name(declaration: str) -> tuple[str, str]:
    """The name a declaration declares and its kind."""
    d = re.sub(r"\s+", " ", declaration).strip()
    using = re.match(r"using (\w+)\s*=", d)
    if using:
        return using.group(1), "type"
    head = d.split("=", 1)[0]
    paren = head.find("(")
    if paren >= 0 and not re.match(r"[\w:\s*&<>,]*\w\s*\{", head[:paren]):
        name = re.search(r"(~?\w+)\s*$", head[:paren])
        return (name.group(1) if name else ""), "function"
    name = re.search(r"(\w+)\s*(\[[^\]]*\])?\s*(\{.*)?$", head)
    return (name.group(1) if name else ""), "variable"


def parse_header(path: Path) -> Header:
    """Reads the classes, properties and members of a public header with their doc comments."""
    text = path.read_text(encoding="utf-8")
    header = Header(path)
    scopes: list[tuple[str, Class | None]] = []  # ("namespace"|"class"|"enum", class)
    access = "public"
    pending: Doc | None = None
    last: Member | None = None
    beyond_face = False
    declaration = ""
    invokable = False
    i = 0

    def current_class() -> Class | None:
        for kind, cls in reversed(scopes):
            if kind == "class":
                return cls
        return None

    def add(member: Member) -> None:
        cls = current_class()
        (cls.members if cls else header.members).append(member)

    while i < len(text):
        c = text[i]
        if text.startswith("/**", i) or text.startswith("///", i):
            end = text.index("*/", i) + 2 if text.startswith("/**", i) else text.find("\n", i)
            comment = text[i:end]
            if comment.startswith(("/**<", "///<")):
                if last is not None:
                    last.doc = parse_doc(comment)
            else:
                pending = parse_doc(comment)
            i = end
            continue
        if text.startswith("//", i):
            end = text.find("\n", i)
            if "late-bound face" in text[i:end] and current_class() and current_class().properties:
                beyond_face = True
            i = end
            continue
        if text.startswith("/*", i):
            i = text.index("*/", i) + 2
            continue
        if c == "#" and not declaration.strip():
            # A preprocessor line, with its continuations.
            while True:
                end = text.find("\n", i)
                if end < 0 or text[end - 1] != "\\":
                    break
                i = end + 1
            i = end if end >= 0 else len(text)
            continue
        if c == "}":
            if scopes:
                scopes.pop()
            declaration = ""
            i += 1
            continue
        if c == "{":
            d = " ".join(declaration.split())
            scope = re.match(r"(?:namespace|(class|struct)|(enum)(?: class)?)\b\s*(?:[A-Z][A-Z_]+\s+)?(\w*)", d)
            if scope:
                if scope.group(1):
                    bases = re.findall(r"(?:public|protected|private)\s+([\w:]+)", d.partition(":")[2])
                    cls = Class(scope.group(3), pending, [b.split("::")[-1] for b in bases])
                    header.classes[cls.name] = cls
                    scopes.append(("class", cls))
                    access = "public" if scope.group(1) == "struct" else "private"
                    member = Member(cls.name, "type", d, access, "", pending)
                    if len(scopes) == 1 or scopes[-2][0] == "namespace":
                        header.members.append(member)
                elif scope.group(2):
                    add(Member(scope.group(3), "type", d, access, _scope_name(scopes), pending))
                    scopes.append(("enum", None))
                    i = _enumerators(text, i, current_class(), access, scopes, header)
                    scopes.pop()
                    declaration, pending = "", None
                    continue
                else:
                    scopes.append(("namespace", None))
                declaration, pending = "", None
                i += 1
                continue
            end = _balanced(text, i, "{", "}")
            name, kind = _declared_name(d)
            if kind == "function":
                # An inline body ends the declaration.
                last = Member(name, "signal" if access == "signals" else kind, d, access,
                              _scope_name(scopes), pending, invokable)
                add(last)
                declaration, pending, invokable = "", None, False
            else:
                declaration += text[i:end]
            i = end
            continue
        if c == ";":
            d = " ".join(declaration.split())
            declaration = ""
            i += 1
            if not d or d.startswith(("friend ", "template")) or re.fullmatch(r"(class|struct) \w+", d):
                pending = None
                continue
            name, kind = _declared_name(d)
            if kind == "function" and access == "signals":
                kind = "signal"
            last = Member(name, kind, d, access, _scope_name(scopes), pending, invokable)
            add(last)
            pending, invokable = None, False
            continue
        if c == ":" and current_class() is not None:
            label = re.fullmatch(r"\s*(public|protected|private|Q_SIGNALS|signals)(\s+Q_SLOTS)?\s*", declaration)
            if label and text[i + 1] != ":":
                access = {"Q_SIGNALS": "signals"}.get(label.group(1), label.group(1))
                declaration = ""
                i += 1
                continue
        if c == "(":
            macro = re.search(r"\b(Q_PROPERTY|Q_OBJECT|Q_GADGET|QML_\w+|Q_ENUM|Q_DISABLE_COPY\w*)\s*$", declaration)
            if macro:
                end = _balanced(text, i, "(", ")")
                if macro.group(1) == "Q_PROPERTY" and current_class() is not None:
                    current_class().properties.append(_property(text[i + 1:end - 1], not beyond_face))
                    current_class().properties[-1].doc, pending = pending, None
                declaration = declaration[: macro.start()]
                i = end
                continue
            end = _balanced(text, i, "(", ")")
            if re.fullmatch(r"\s*[A-Z][A-Z0-9_]+\s*", declaration):
                # A macro that stands for declarations (a property list): none of its own.
                declaration = ""
            else:
                declaration += text[i:end]
            i = end
            continue
        declaration += c
        if re.search(r"\bQ_OBJECT\s$|\bQ_GADGET\s$", declaration):
            declaration = ""
        if re.search(r"\bQ_INVOKABLE\s$", declaration):
            declaration, invokable = declaration[: -len("Q_INVOKABLE ")], True
        i += 1
    return header


def _scope_name(scopes: list[tuple[str, Class | None]]) -> str:
    for kind, cls in reversed(scopes):
        if kind == "class" and cls is not None:
            return cls.name
    return ""


def _enumerators(text: str, i: int, cls: Class | None, access: str, scopes, header: Header) -> int:
    """Reads the enumerators of the enum whose body starts at text[i], each with its doc."""
    end = _balanced(text, i, "{", "}")
    body = text[i + 1 : end - 1]
    pending: Doc | None = None
    last: Member | None = None
    for token in re.finditer(r"/\*\*<?.*?\*/|///<?[^\n]*|(\w+)\s*(=[^,/]*)?,?", body, re.S):
        if token.group(0).startswith(("/**<", "///<")):
            if last:
                last.doc = parse_doc(token.group(0))
        elif token.group(0).startswith(("/**", "///")):
            pending = parse_doc(token.group(0))
        elif token.group(1):
            last = Member(token.group(1), "enumerator", token.group(0).rstrip(","), access,
                          _scope_name(scopes), pending)
            (cls.members if cls else header.members).append(last)
            pending = None
    semicolon = text.index(";", end)
    return semicolon + 1


def _property(declaration: str, late_bound: bool) -> Property:
    words = declaration.split()
    # The type may hold spaces or templates: it runs to the word before the first keyword.
    keywords = {"READ", "WRITE", "NOTIFY", "MEMBER", "RESET", "DESIGNABLE", "SCRIPTABLE", "STORED",
                "USER", "CONSTANT", "FINAL", "REQUIRED", "BINDABLE", "REVISION"}
    first = next(k for k, w in enumerate(words) if w in keywords)
    values = {}
    k = first
    while k < len(words):
        if k + 1 < len(words) and words[k + 1] not in keywords and words[k] in keywords:
            values[words[k]] = words[k + 1]
            k += 2
        else:
            values[words[k]] = ""
            k += 1
    return Property(words[first - 1], " ".join(words[: first - 1]), values.get("READ", ""),
                    values.get("WRITE", ""), values.get("NOTIFY", ""), late_bound,
                    " ".join(w for w in words[first:] if w in ("DESIGNABLE", "false")))


def headers() -> dict[str, Header]:
    return {p.name: parse_header(p) for p in sorted(HEADERS.glob("*.h"))}


def curve() -> Class:
    return parse_header(HEADERS / "Curve.h").classes["Curve"]


# --------------------------------------------------------------------------------------------
# Renderings of a doc's text


def _inline(text: str, code: callable) -> str:
    """Doxygen's inline markup with code spans made by @p code."""
    text = re.sub(r"[@\\](?:p|c|a|ref)\s+([\w:.]+(?:\(\))?)", lambda m: code(m.group(1)), text)
    return text


def markdown(text: str, names: set[str]) -> str:
    """A doc text in Markdown: the names in @p names, calls such as FormatValue() and scoped names
    such as PlotLayout::ScaleX as code."""
    text = _inline(text, lambda w: f"`{w}`")
    words = "|".join(sorted(map(re.escape, names), key=len, reverse=True))
    pattern = r"(?<![`\w:])(" + (words + "|" if words else "") + r"\w+\(\)|\w+::\w+(?:\(\))?)(?![`\w(])"
    parts = re.split(r"(`[^`]*`|\"[^\"]*\")", text)
    parts = [p if p.startswith(("`", '"')) else re.sub(pattern, r"`\1`", p) for p in parts]
    return "".join(parts).replace("|", "\\|")


PYTHON_NAMES = [("knotel::RuntimeError", "knotel.RuntimeError"), ("::", "."), ("nullptr", "None"), ("@p ", ""),
                ("@c ", ""), ("@ref ", "")]


def plain(text: str) -> str:
    """A doc text as plain text for Python: C++ scopes written with dots, markup dropped."""
    text = _inline(text, lambda w: w)
    for cxx, py in PYTHON_NAMES:
        text = text.replace(cxx, py)
    return text


def python_value(value: str) -> str:
    return {"true": "True", "false": "False"}.get(value, value)


# --------------------------------------------------------------------------------------------
# README


BEGIN = "<!-- The member tables below are generated from the headers: python3 docs/members.py readme README.md -->"
END = "<!-- End of the generated member tables. -->"


def readme_reference(cls: Class) -> str:
    names = {p.name for p in cls.properties} | {m.name for m in cls.members if m.kind == "signal"}
    header = "| Property | Type | Default | What it does | Values | Errors |\n|---|---|---|---|---|---|\n"

    def rows(properties: list[Property]) -> str:
        out = []
        for p in properties:
            doc = cls.property_doc(p)
            errors = "; ".join(markdown(t, names) for t in doc.throws) or "-"
            cells = [f"`{p.name}`", f"`{p.type}`", doc.default.split(" (")[0] or "-",
                     markdown(doc.summary, names), markdown(doc.values, names) or "-", errors]
            out.append("| " + " | ".join(cells) + " |")
        return "\n".join(out) + "\n"

    face = [p for p in cls.properties if p.late_bound]
    beyond = [p for p in cls.properties if not p.late_bound]
    method = cls.member("RePaint", "function")
    signal = cls.member("DroppedValue", "signal")
    text = [BEGIN, "", f"The {len(face)} properties of the late-bound face, in its order:", "",
            header + rows(face)]
    if beyond:
        text += ["Beyond the late-bound face, for C++, Python and QML:", "",
                 header + rows(beyond)]
    for member, label in ((method, "`RePaint()`"), (signal, "`DroppedValue(int& DropIndex)` (signal)")):
        if member and member.doc:
            summary = markdown(member.doc.summary, names - {member.name})
            if re.match(r"[A-Z][a-z]", summary):
                summary = summary[0].lower() + summary[1:]
            body = textwrap.fill(summary, 100,
                                 initial_indent="- " + label + ": ", subsequent_indent="  ",
                                 break_on_hyphens=False, break_long_words=False)
            text.append(body)
    text += ["", END]
    return "\n".join(text)


def cmd_readme(args: argparse.Namespace) -> int:
    path = Path(args.readme)
    old = path.read_text(encoding="utf-8")
    if BEGIN not in old or END not in old:
        print(f"{path}: the markers of the generated member tables are missing", file=sys.stderr)
        return 1
    start, end = old.index(BEGIN), old.index(END) + len(END)
    new = old[:start] + readme_reference(curve()) + old[end:]
    if args.check:
        if new != old:
            sys.stdout.writelines(difflib.unified_diff(old.splitlines(True), new.splitlines(True),
                                                       str(path), "generated"))
            print(f"{path}: the member tables differ from the headers; run "
                  f"python3 docs/members.py readme {path}", file=sys.stderr)
            return 1
        return 0
    if new != old:
        path.write_text(new, encoding="utf-8")
    return 0


# --------------------------------------------------------------------------------------------
# Python: docstrings in the binding, and stubs


def python_doc(cls: Class | None, member: Member | None, prop: Property | None = None,
               type_: str = "") -> str:
    """The docstring of a member, or of a property (its getter's doc with type and default)."""
    doc = (cls.property_doc(prop) if cls and prop else member.doc) if (prop or member) else None
    if doc is None:
        return ""
    paragraphs = []
    for p in doc.paragraphs(code=True):
        if p.startswith("@code"):
            # The header's examples are C++: the sentence that led to one ends without it.
            if paragraphs and paragraphs[-1].endswith(":"):
                paragraphs[-1] = paragraphs[-1][:-1] + "."
        else:
            paragraphs.append(plain(p))
    facts = []
    flag = (type_ or (prop.type if prop else "")) == "bool"
    if doc.default:
        facts.append(("Type: " + (type_ or prop.type) + ". " if prop else "") + f"Default: {plain(doc.default)}.")
    if doc.values:
        facts.append("Values: " + plain(doc.values))
    for t in doc.throws:
        facts.append("Raises knotel.RuntimeError " + plain(t))
    if flag:
        facts = [re.sub(r"\btrue\b", "True", re.sub(r"\bfalse\b", "False", f)) for f in facts]
    wrap = lambda p: textwrap.fill(p, 96, break_on_hyphens=False, break_long_words=False)
    text = [wrap(p) for p in paragraphs]
    if facts:
        text.append("\n".join(wrap(f) for f in facts))
    return "\n\n".join(text)


def setter_doc(prop: Property, doc: Doc) -> str:
    brief = plain(doc.brief)
    if re.match(r"[A-Z][a-z]", brief):
        brief = brief[0].lower() + brief[1:]
    return textwrap.fill(f"Writes the property {prop.name}: {brief}", 96, break_on_hyphens=False)


# Members of the binding that show a header member under another class. DropRelay carries Curve's
# DroppedValue to Python; its class docstring is that of Curve.DroppedValue, a property in Python.
SIP_ALIASES = {("DropRelay", "DroppedValue"): ("Curve", "DroppedValue")}
SIP_CLASS_DOCS = {"DropRelay": ("Curve", "DroppedValue", "DroppedValue(DropIndex: int) [signal]")}


def _sip_docs(all_headers: dict[str, Header]) -> dict[tuple[str, str], tuple[str, str]]:
    """(class, member) -> (docstring, signature mode) for every documented member."""
    docs: dict[tuple[str, str], tuple[str, str]] = {}
    for header in all_headers.values():
        for m in header.members:
            if m.doc and m.kind == "function":
                docs[("", m.name)] = (python_doc(None, m), "prepended")
        for cls in header.classes.values():
            if cls.doc:
                docs[(cls.name, "")] = (python_doc(None, Member(cls.name, "type", "", "public", "", cls.doc)), "")
            for m in cls.members:
                prop = cls.property_of(m.name)
                if prop and m.name == prop.read == prop.name:
                    # The getter becomes the Python property: its doc is the property's.
                    docs[(cls.name, m.name)] = (python_doc(cls, None, prop, _python_type(prop.type)), "discarded")
                elif prop and m.name == prop.read:
                    docs[(cls.name, m.name)] = (python_doc(cls, None, prop, _python_type(prop.type)), "prepended")
                elif prop and m.name == prop.write:
                    docs[(cls.name, m.name)] = (setter_doc(prop, cls.property_doc(prop)), "prepended")
                elif prop and m.name == prop.notify:
                    docs[(cls.name, m.name)] = (f"Emitted when {prop.name} changes.", "prepended")
                elif m.kind in ("function", "signal"):
                    documented = m if m.doc else _inherited(all_headers, cls, m.name)
                    if documented:
                        docs[(cls.name, m.name)] = (python_doc(cls, documented), "prepended")
    for (cls, name), (source_cls, source_name) in SIP_ALIASES.items():
        if (source_cls, source_name) in docs:
            docs[(cls, name)] = docs[(source_cls, source_name)]
    return docs


def _inherited(all_headers: dict[str, Header], cls: Class, name: str) -> Member | None:
    """The documented member @p name of a base class of @p cls (an override's doc)."""
    classes = {c.name: c for h in all_headers.values() for c in h.classes.values()}
    for base in cls.bases:
        if base in classes:
            m = classes[base].member(name)
            if m and m.doc:
                return m
            m = _inherited(all_headers, classes[base], name)
            if m:
                return m
    return None


def _python_type(cxx: str) -> str:
    return {"qint32": "int", "int": "int", "float": "float", "double": "float", "bool": "bool",
            "QString": "str"}.get(cxx, cxx)


SIP_DECLARATION = re.compile(r"^\s+(?:virtual\s+|static\s+)?[\w:<>*&,\s]*?\b(\w+)\s*\(.*\)[^;]*;\s*$")


def cmd_sip(args: argparse.Namespace) -> int:
    """Copies the .sip files with a %Docstring after each declaration that a header documents."""
    docs = _sip_docs(headers())
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    for source in sorted(Path(args.src).glob("*.sip")):
        lines = source.read_text(encoding="utf-8").splitlines()
        result: list[str] = []
        cls = ""
        k = 0
        while k < len(lines):
            line = lines[k]
            result.append(line)
            k += 1
            opened = re.match(r"(?:class|struct)\s+(\w+)", line)
            if opened:
                cls = opened.group(1)
            elif line == "{" and cls in SIP_CLASS_DOCS:
                source_cls, source_member, title = SIP_CLASS_DOCS[cls]
                text = title + "\n\n" + docs[(source_cls, source_member)][0]
                result += ['%Docstring(signature="discarded")', text.replace("%", "%%"), "%End"]
            elif line == "{" and (cls, "") in docs:
                result += ['%Docstring(signature="prepended")', docs[(cls, "")][0].replace("%", "%%"), "%End"]
            elif line.startswith("};"):
                cls = ""
            match = SIP_DECLARATION.match(line)
            if not match or line.lstrip().startswith("//") or (cls, match.group(1)) not in docs:
                continue
            text, signature = docs[(cls, match.group(1))]
            # A %Docstring of the .sip file itself (Python's own words) follows the header's.
            if k < len(lines) and lines[k].startswith("%Docstring"):
                end = lines.index("%End", k)
                text += "\n\n" + "\n".join(lines[k + 1 : end])
                k = end + 1
            result += [f'%Docstring(signature="{signature}")', text.replace("%", "%%"), "%End"]
        target = out / source.name
        content = "\n".join(result) + "\n"
        if not target.exists() or target.read_text(encoding="utf-8") != content:
            target.write_text(content, encoding="utf-8")
    return 0


def _docstring(text: str, indent: str) -> list[str]:
    body = text.replace("\\", "\\\\").replace('"""', '\\"\\"\\"')
    lines = body.splitlines() or [""]
    if len(lines) == 1:
        return [f'{indent}"""{lines[0]}"""']
    return [indent + '"""' + lines[0]] + [(indent + l if l else "") for l in lines[1:]] + [indent + '"""']


def cmd_pyi(args: argparse.Namespace) -> int:
    """The package's stubs from sip's: Curve's Qt properties as Python properties with their setters,
    DroppedValue, knotel.RuntimeError, __version__, and a docstring for every documented member."""
    all_headers = headers()
    docs = _sip_docs(all_headers)
    for header in all_headers.values():
        for cls in header.classes.values():
            for m in cls.members:
                if m.kind == "variable" and m.doc:
                    docs[(cls.name, m.name)] = (plain(m.doc.summary), "attribute")
        for m in header.members:
            if m.kind == "variable" and m.doc:
                docs[("", m.name)] = (plain(m.doc.summary), "attribute")
    curve_class = all_headers["Curve.h"].classes["Curve"]
    order = {m.name: n for n, m in enumerate(curve_class.members)}
    order["__init__"] = order.get("Curve", 0)
    properties = {p.read: p for p in curve_class.properties}
    package = Path(args.package)
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)

    result: list[str] = []
    cls = ""
    body: list[tuple[int, list[str]]] = []  # Curve's members, to be put in the header's order
    decorators: list[str] = []

    def documented(name: str, line: str) -> list[str]:
        """The line of a def or an attribute with the member's docstring after it."""
        indent = re.match(r"\s*", line).group(0)
        key = (cls, cls if name == "__init__" else name)
        if key not in docs:
            return [line]
        text, mode = docs[key]
        if not line.endswith(": ..."):
            return [line] + _docstring(text, indent)
        return [line[: -len(" ...")]] + _docstring(text, indent + "    ")

    def end_class() -> None:
        if cls == "Curve":
            body.append((order.get("DroppedValue", len(order)), _dropped_value(docs)))
            for _, block in sorted(body, key=lambda b: b[0]):
                result.extend(block)
        body.clear()

    lines = Path(args.sip_pyi).read_text(encoding="utf-8").splitlines()
    for line in lines:
        opened = re.match(r"class (\w+)", line)
        if opened:
            end_class()
            cls = opened.group(1)
            while result and not result[-1]:
                result.pop()
            result += ["", "", line]
            if (cls, "") in docs:
                result += _docstring(docs[(cls, "")][0], "    ")
            continue
        if cls and line.startswith("    "):
            if line.strip().startswith("@"):
                decorators.append(line)
                continue
            match = re.match(r"\s+def (\w+)|\s+(\w+)\s*[:=]", line)
            name = match and (match.group(1) or match.group(2))
            block = decorators + documented(name, line) if name else decorators + [line]
            decorators = []
            if cls != "Curve":
                result.extend(block)
            elif name in properties:
                body.append((order.get(name, len(order)), _property_stub(properties[name], docs, block)))
            else:
                body.append((order.get(name, len(order)), block))
            continue
        if cls and not line.strip():
            continue
        if cls:
            end_class()
            cls = ""
            result.append("")
        match = re.match(r"def (\w+)|(\w+) = \.\.\.", line)
        name = match and (match.group(1) or match.group(2))
        result.extend(documented(name, line) if name else [line])
    end_class()
    result += ["", "", *_runtime_error(all_headers["RuntimeError.h"], docs)]
    text = "\n".join(result).rstrip() + "\n"
    text = text.replace("\nimport enum\n", "\nimport builtins\nimport enum\n", 1)
    text = text.replace("#\n# \n", "#\n# Completed by docs/members.py: the package's Python properties, DroppedValue and\n"
                        "# RuntimeError, and the headers' member descriptions as docstrings.\n", 1)
    _write(out / "_knotel.pyi", text)

    # The package itself: what __init__.py exports, and its version.
    init = (package / "__init__.py").read_text(encoding="utf-8")
    exported = _exported_names(package / "__init__.py")
    stub = _docstring(ast.get_docstring(ast.parse(init)) or "", "") + ["", "from ._knotel import ("]
    stub += [f"    {n} as {n}," for n in exported] + [")", "", "__version__: str", ""]
    _write(out / "__init__.pyi", "\n".join(stub))
    _write(out / "py.typed", "")
    return 0


def _property_stub(prop: Property, docs, getter: list[str]) -> list[str]:
    """A Qt property as the Python property the package makes of it, after its getter when that
    has a name of its own (isUndoEnabled)."""
    t = _python_type(prop.type)
    block = ["    @property", f"    def {prop.name}(self) -> {t}:"]
    block += _docstring(docs[("Curve", prop.read)][0], "        ")
    block += [f"    @{prop.name}.setter", f"    def {prop.name}(self, value: {t}) -> None: ..."]
    return (getter if prop.read != prop.name else []) + block


def _dropped_value(docs) -> list[str]:
    lines = ["    @property", "    def DroppedValue(self) -> QtCore.pyqtBoundSignal:"]
    return lines + _docstring(docs[("Curve", "DroppedValue")][0], "        ")


def _runtime_error(header: Header, docs) -> list[str]:
    cls = header.classes["RuntimeError"]
    lines = ["class RuntimeError(builtins.RuntimeError):"]
    lines += _docstring(docs.get(("RuntimeError", ""), ("",))[0], "    ")
    lines += ["    code: int"] + _docstring(docs.get(("RuntimeError", "code"), ("",))[0], "    ")
    lines += ["    message: str"] + _docstring(docs.get(("RuntimeError", "what"), ("",))[0], "    ")
    return lines


def _exported_names(init: Path) -> list[str]:
    for node in ast.parse(init.read_text(encoding="utf-8")).body:
        if isinstance(node, ast.Assign) and any(getattr(t, "id", "") == "__all__" for t in node.targets):
            return [e.value for e in node.value.elts if e.value != "__version__"]
    return []


def _write(path: Path, content: str) -> None:
    if not path.exists() or path.read_text(encoding="utf-8") != content:
        path.write_text(content, encoding="utf-8")


# --------------------------------------------------------------------------------------------
# Reference pages for Doxygen


QML_TYPES = {"qint32": "int", "int": "int", "float": "real", "double": "real", "bool": "bool",
             "QString": "string", "QList<QPointF>": "list<point>", "QList<int>": "list<int>",
             "QVariantMap": "object", "void": "void"}


def _readme_sections(readme: str) -> dict[str, str]:
    """The README's sections by title; "" is the text before the first one, without the title."""
    sections: dict[str, str] = {}
    title = ""
    for chunk in re.split(r"^## ", readme, flags=re.M):
        if not sections and not title:
            sections[""] = re.sub(r"^# .*\n", "", chunk, count=1)
            title = "x"
            continue
        head, _, body = chunk.partition("\n")
        sections[head.strip()] = body
    return sections


def _page_markdown(text: str) -> str:
    """README Markdown as a Doxygen page: pictures by their name in docs/, one heading level down."""
    text = re.sub(r"\]\(docs/([\w.-]+\.png)\)", r"](\1)", text)
    text = re.sub(r"^(#+) ", r"#\1 ", text, flags=re.M)
    return text


def _doxygen_text(doc: Doc) -> str:
    """A doc with its tags as Doxygen commands, on one paragraph per line."""
    parts = doc.paragraphs(code=True)
    if doc.default:
        parts.append("@par Default:\n" + doc.default)
    if doc.values:
        parts.append("@par Values:\n" + doc.values)
    parts += ["@throws knotel::RuntimeError " + t for t in doc.throws]
    return "\n\n".join(parts)


def _qml_name(name: str) -> str:
    return name[0].lower() + name[1:]


def _cell(text: str) -> str:
    return " ".join(text.split()).replace("|", "\\|")


def _required(doc: Doc | None, what: str, problems: list[str]) -> Doc:
    if doc is None or not doc.text:
        problems.append(f"{what} is not documented")
        return Doc()
    return doc


def _curve_page(cls: Class, problems: list[str]) -> str:
    """What Curve's class page needs besides the header: the property table, the setters and the
    change signals, documented from the property they serve."""
    out = ["/**", " * @class knotel::Curve", " *", " * @section curve_properties Properties", " *",
           " * | Property | Type | Default | QML | What it does |", " * |---|---|---|---|---|"]
    for p in cls.properties:
        doc = _required(cls.property_doc(p), f"Curve::{p.read}()", problems)
        face = "" if p.late_bound else " (beyond the late-bound face)"
        out.append(f" * | {p.read}() | {p.type} | {_cell(doc.default) or '-'} | {_qml_name(p.name)} | "
                   f"{_cell(doc.brief)}{face} |")
    out += [" *", " * Each property is read by the function of its name and written by its set function; "
            "in QML it is the name with its first letter lowered, in Python a Python property of the "
            "same name (@ref python).", " */", ""]
    for p in cls.properties:
        for name, text in ((p.write, f"Writes the property {p.read}()."),
                           (p.notify, f"Emitted when the property {p.read}() changes.")):
            member = cls.member(name)
            if member and not member.doc:
                out += ["/**", f" * @fn {_qualified(member, 'knotel::Curve')}", " * " + text, " */", ""]
    return "\n".join(out)


def _qualified(member: Member, scope: str) -> str:
    """The declaration of @p member with its name qualified, as @fn wants it."""
    d = re.sub(r"\b(virtual|explicit|static|Q_INVOKABLE)\s+", "", member.declaration)
    d = re.sub(r"\s*\b(override|final)\b", "", d)
    return re.sub(r"(?<![\w:~])(~?" + re.escape(member.name) + r")\s*\(", scope + r"::\1(", d, count=1)


def _qml_page(cls: Class, quick: Class, sections: dict[str, str], problems: list[str]) -> str:
    """The QML type Curve: the README's section, then its members under their QML names."""
    out = ["# QML type Curve {#qml}", "", "```qml", "import Knotel", "```", "",
           _page_markdown(sections.get("Qt Quick", "")).strip(), "", "## Properties", "",
           "| Property | Type | Default | What it does | C++ |", "|---|---|---|---|---|"]
    by_name = {p.name: p for p in cls.properties}
    qml_properties = [p for p in cls.properties if p.late_bound] + quick.properties
    seen: set[str] = set()
    for p in qml_properties:
        qml = _qml_name(p.name)
        if qml in seen:
            continue
        seen.add(qml)
        source = by_name.get(p.name) or by_name.get(p.name[0].upper() + p.name[1:])
        if source:
            doc = _required(cls.property_doc(source), f"Curve::{source.read}()", problems)
            cxx = f"knotel::Curve::{source.read}()"
            type_ = QML_TYPES.get(source.type, source.type)
        else:
            doc = _required(quick.property_doc(p), f"the QML property {qml}", problems)
            cxx = "-"
            type_ = QML_TYPES.get(p.type, p.type)
        access = "" if p.write else " Read-only."
        text = _cell(doc.summary + access + (" " + doc.values if doc.values else ""))
        errors = " ".join("Throws error " + t for t in doc.throws)
        out.append(f"| `{qml}` | {type_} | {_cell(doc.default) or '-'} | {text} {_cell(errors)} | {cxx} |")
    out += ["", "## Methods", "", "| Method | What it does |", "|---|---|"]
    for m in quick.members:
        if m.invokable and m.access == "public":
            doc = _required(m.doc, f"the QML method {m.name}()", problems)
            signature = _qml_signature(m)
            out.append(f"| `{signature}` | {_cell(doc.summary)} |")
    out += ["", "## Signals", "", "| Signal | When |", "|---|---|"]
    notifies = {_qml_name(p.name) + "Changed" for p in qml_properties}
    for m in quick.members:
        if m.kind == "signal" and m.name not in notifies:
            doc = _required(m.doc, f"the QML signal {m.name}", problems)
            out.append(f"| `{_qml_signature(m)}` | {_cell(doc.summary)} |")
    out += ["| `<property>Changed()` | Each property's change signal: `dimensionsChanged()`, "
            "`curveCaptionChanged()`, ... |", ""]
    return "\n".join(out)


def _qml_signature(member: Member) -> str:
    match = re.match(r"(.*?)\b" + re.escape(member.name) + r"\s*\((.*)\)", member.declaration)
    result = QML_TYPES.get(re.sub(r"\b(const|Q_INVOKABLE|virtual)\b|[&*]", "", match.group(1)).strip(), "")
    params = []
    for param in filter(None, (p.strip() for p in match.group(2).split(","))):
        words = re.sub(r"\bconst\b|[&*]", " ", param.split("=")[0]).split()
        params.append(f"{QML_TYPES.get(' '.join(words[:-1]), ' '.join(words[:-1]))} {words[-1]}")
    prefix = f"{result} " if result and result != "void" else ""
    return f"{prefix}{member.name}({', '.join(params)})"


def _python_page(all_headers: dict[str, Header], sections: dict[str, str]) -> str:
    cls = all_headers["Curve.h"].classes["Curve"]
    out = ["# Python module knotel {#python}", "", "```python", "from knotel import Curve", "```", "",
           _page_markdown(sections.get("Python", "")).strip(), "",
           "## The module's members", "",
           "Each member is the C++ member of the same name (follow the link), with Python's types: "
           "`qint32` and `int` are `int`, `float` is `float`, `QString` is `str`, `bool` is `bool`, "
           "a list is a Python list.", "",
           "| Python | What it is | C++ |", "|---|---|---|"]
    for p in cls.properties:
        doc = cls.property_doc(p)
        out.append(f"| `Curve.{p.name}` | {_python_type(p.type)} property: {_cell(doc.brief)} | "
                   f"knotel::Curve::{p.read}() |")
    out.append("| `Curve.DroppedValue` | signal with the index as an `int` | knotel::Curve::DroppedValue() |")
    for m in cls.members:
        if m.kind == "function" and m.access == "public" and not cls.property_of(m.name) \
                and m.doc and m.name != "Curve" and not m.name.startswith("~"):
            out.append(f"| `Curve.{m.name}()` | method: {_cell(m.doc.brief)} | knotel::Curve::{m.name}() |")
    for header in all_headers.values():
        for m in header.members:
            if m.kind == "function" and m.doc:
                out.append(f"| `knotel.{m.name}()` | function: {_cell(m.doc.brief)} | knotel::{m.name}() |")
    out += ["| `knotel.RuntimeError` | exception, a `RuntimeError` with `.code` and `.message` | "
            "knotel::RuntimeError |",
            "| `knotel.__version__` | the library's version, a `str` | - |", ""]
    return "\n".join(out)


def _examples_page() -> str:
    out = []
    for path in sorted((ROOT / "examples").rglob("*")):
        if path.suffix not in (".py", ".qml", ".cpp"):
            continue
        text = path.read_text(encoding="utf-8")
        if path.suffix == ".py":
            about = (ast.get_docstring(ast.parse(text)) or "").split("\n\n")[0]
        else:
            about = " ".join(l[2:].strip() for l in text.splitlines() if l.startswith("//")).split(". ")[0] + "."
        out += ["/**", f" * @example {path.relative_to(ROOT / 'examples')}", " * " + " ".join(about.split()), " */", ""]
    return "\n".join(out)


NAMESPACE_DOC = ("/** @namespace knotel\n * The Knotel library: the control knotel::Curve, its late-bound face "
                 "knotel::Dispatch with knotel::createControl(), and the number texts knotel::FormatValue() and "
                 "knotel::LeadingValue(). */\n")


def _overview_page(sections: dict[str, str]) -> str:
    """The main page: the README's introduction, with its pictures, and how the control is used,
    the drag rules among it."""
    text = ["# Knotel {#mainpage}", "", _page_markdown(sections[""]).strip(), "",
            "The reference: the control knotel::Curve, its @ref qml \"QML type\", the "
            "@ref python \"Python module\" and the examples.", "",
            "## Using the control", "", _page_markdown(sections.get("Using the control", "")).strip(), ""]
    return "\n".join(text)


def qt_tag_file(texts: list[str], qt_include: Path | None) -> str:
    """A Doxygen tag file for the Qt classes that @p texts name, each pointing at its page of
    Qt's reference (QWidget at qwidget.html): what Qt's own tag files give where they are installed."""
    names = sorted(set(re.findall(r"\bQ[A-Z][A-Za-z0-9]+\b", "\n".join(texts))))
    if qt_include:
        names = [n for n in names if any((d / n).is_file() for d in qt_include.glob("Qt*"))]
    out = ["<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>", "<tagfile>"]
    for name in names:
        out += ['  <compound kind="class">', f"    <name>{name}</name>",
                f"    <filename>{name.lower()}.html</filename>", "  </compound>"]
    out.append("</tagfile>")
    return "\n".join(out) + "\n"


def cmd_qhp(args: argparse.Namespace) -> int:
    """Gives Doxygen's Qt help project the keyword ids that Qt Creator's F1 asks for: the qualified
    name (knotel::Curve::setPoints) where Doxygen appends "_" and an anchor, and QML.Curve and
    QML.Knotel.Curve for the QML type's page, as Qt's own help files have them."""
    path = Path(args.qhp)
    text = path.read_text(encoding="utf-8")
    text = re.sub(r'(<keyword name="([^"]*)" id=")([^"]*)(")',
                  lambda m: m.group(1) + (m.group(2) if m.group(3).startswith(m.group(2) + "_") else m.group(3)) + m.group(4),
                  text)
    qml = "".join(f'<keyword name="Curve" id="{id_}" ref="qml.html"/>\n' for id_ in ("QML.Curve", "QML.Knotel.Curve"))
    if "QML.Curve" not in text:
        text = text.replace("<keywords>\n", "<keywords>\n" + qml, 1)
    _write(path, text)
    return 0


def cmd_doxygen(args: argparse.Namespace) -> int:
    """Writes the pages the headers alone do not give; a QML member without a doc fails it."""
    all_headers = headers()
    cls = all_headers["Curve.h"].classes["Curve"]
    quick = parse_header(QUICK_HEADER).classes["QuickCurve"]
    sections = _readme_sections((ROOT / "README.md").read_text(encoding="utf-8"))
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    problems: list[str] = []
    pages = {
        "overview.md": _overview_page(sections),
        "curve.dox": NAMESPACE_DOC + "\n" + _curve_page(cls, problems),
        "qml.md": _qml_page(cls, quick, sections, problems),
        "python.md": _python_page(all_headers, sections),
        "examples.dox": _examples_page(),
    }
    for name, text in pages.items():
        _write(out / name, text)
    if args.qt_tags:
        sources = [p.read_text(encoding="utf-8") for p in HEADERS.glob("*.h")] + list(pages.values())
        _write(Path(args.qt_tags), qt_tag_file(sources, Path(args.qt_include) if args.qt_include else None))
    for problem in problems:
        print(f"members.py: {problem}", file=sys.stderr)
    return 1 if problems else 0


# --------------------------------------------------------------------------------------------


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    readme = commands.add_parser("readme", help="rewrite or check the README's member tables")
    readme.add_argument("--check", action="store_true", help="only compare, and fail on a difference")
    readme.add_argument("readme")
    readme.set_defaults(run=cmd_readme)
    sip = commands.add_parser("sip", help="the .sip files with docstrings")
    sip.add_argument("src")
    sip.add_argument("out")
    sip.set_defaults(run=cmd_sip)
    pyi = commands.add_parser("pyi", help="the package's stubs")
    pyi.add_argument("sip_pyi")
    pyi.add_argument("package")
    pyi.add_argument("out")
    pyi.set_defaults(run=cmd_pyi)
    doxygen = commands.add_parser("doxygen", help="the reference pages for Doxygen")
    doxygen.add_argument("out")
    doxygen.add_argument("--qt-tags", help="also write a tag file of the Qt classes named here")
    doxygen.add_argument("--qt-include", help="Qt's include folder, to keep only Qt's own classes")
    doxygen.set_defaults(run=cmd_doxygen)
    qhp = commands.add_parser("qhp", help="Qt Creator's keyword ids in Doxygen's Qt help project")
    qhp.add_argument("qhp")
    qhp.set_defaults(run=cmd_qhp)
    args = parser.parse_args(argv)
    return args.run(args)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
