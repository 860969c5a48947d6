#!/usr/bin/env python3
"""Generates a VB6-like corpus for the step count benchmark: project files naming forms (with
designer blocks), standard modules and classes, in CP932 with CR LF line ends and Japanese
comments. The same seed gives the same bytes.

usage: make_corpus.py OUTPUT_DIR [MEGABYTES]   (default 22)
"""
import os
import random
import sys

WORDS = ["在庫", "商品", "売上", "仕入", "得意先", "倉庫", "伝票", "請求", "入金", "棚卸",
         "単価", "数量", "金額", "税額", "締日", "担当者", "部門", "明細", "集計", "一覧"]
VERBS = ["を読み込む", "を更新する", "を検索する", "を集計する", "を表示する", "を登録する",
         "を削除する", "をチェックする", "を印刷する", "を計算する"]
CONTROLS = [("CommandButton", "cmd"), ("TextBox", "txt"), ("Label", "lbl"),
            ("ComboBox", "cbo"), ("CheckBox", "chk"), ("ListBox", "lst")]


def jp(rng, n=2):
    return "".join(rng.choice(WORDS) for _ in range(n))


IDENTS = ["srcImage", "dstLayer", "tmpBuffer", "curIndex", "numEntries", "lastResult",
          "targetWidth", "targetHeight", "m_ColorCache", "m_Settings", "g_Language",
          "cboOutputFormat", "picPreview", "strFilename", "i", "j", "x", "y", "tmpString"]
PHRASES = ["the caller is responsible for freeing this object when it is no longer needed",
           "this value is cached between calls, so the first call is the slow one",
           "because the API does not report failure reliably, we check the result ourselves",
           "if the user cancelled the dialog, exit immediately without changing anything",
           "note that this can be slow on large images; a progress bar is shown above 1 MB",
           "convert the value to the current unit before display (pixels, inches or cm)",
           "only valid after initialization; see the Form_Load event for the order of calls"]


def comment(rng):
    # Mostly prose in English, as in public VB code, with some Japanese, as in the users' code.
    text = rng.choice(PHRASES) if rng.random() < 0.75 else jp(rng) + rng.choice(VERBS)
    return rng.choice(["' ", "'", "'", "Rem "]) + text


def statement(rng):
    a, b, c = rng.choice(IDENTS), rng.choice(IDENTS), rng.choice(IDENTS)
    r = rng.random()
    if r < 0.25:
        return f"{a} = {b} + {c} * {rng.randint(1, 255)}"
    if r < 0.45:
        return f"If ({a} > {b}) And (Not {c} Is Nothing) Then {a} = {b}"
    if r < 0.6:
        return f"Call Processor.Process{b.capitalize()}({a}, {c}, True, {rng.randint(0, 99)})"
    if r < 0.75:
        return f"{a} = Strings.Format$({b}, \"0.00\") & \" \" & {c}"
    return f"Set {a} = New pd{b.capitalize()}: {a}.Reset {c}, {rng.randint(0, 9)}"


def procedure(rng, name):
    kind = rng.choice(["Sub", "Function"])
    lines = ["'" + "*" * rng.randint(10, 80)] if rng.random() < 0.3 else []
    lines += ["'" + comment(rng)[1:] for _ in range(rng.randint(0, 4))]
    lines += [f"Private {kind} {name}(ByVal lId As Long)" + (" As Boolean" if kind == "Function" else ""),
              "",
              "    Dim rs As ADODB.Recordset",
              "    Dim sSql As String",
              ""]
    depth = 1
    for i in range(rng.randint(6, 30)):
        pad = "    " * depth
        r = rng.random()
        if r < 0.17:
            lines.append(pad + comment(rng))
        elif r < 0.33:
            lines.append("")
        elif r < 0.38:
            lines.append(f'{pad}sSql = "SELECT {jp(rng, 1)}, {jp(rng, 1)} FROM {jp(rng, 1)}" & _')
            lines.append(f'{pad}       " WHERE ID = " & CStr(lId)')
        elif r < 0.44 and depth < 4:
            lines.append(f"{pad}If lId > {rng.randint(0, 999)} Then")
            depth += 1
        elif r < 0.5 and depth > 1:
            depth -= 1
            lines.append("    " * depth + "End If")
        elif r < 0.52:
            lines.append(f'{pad}MsgBox "{jp(rng)}が見つかりません", vbExclamation')
        else:
            lines.append(pad + statement(rng))
    while depth > 1:
        depth -= 1
        lines.append("    " * depth + "End If")
    if kind == "Function":
        lines.append(f"    {name} = True")
    lines.append(f"End {kind}")
    lines.append("")
    return lines


def code_part(rng, prefix, size):
    lines = ["Option Explicit", ""]
    for i in range(size):
        lines += procedure(rng, f"{prefix}{i}")
    return lines


def form(rng, name, size):
    lines = ["VERSION 5.00",
             'Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"',
             f"Begin VB.Form {name} ",
             f'   Caption         =   "{jp(rng)}画面"',
             "   ClientHeight    =   6015", "   ClientLeft      =   60",
             "   ClientTop       =   345", "   ClientWidth     =   9240",
             "   BeginProperty Font ", '      Name            =   "ＭＳ Ｐゴシック"',
             "      Size            =   9", "      Charset         =   128",
             "   EndProperty", "   StartUpPosition =   3  'Windows の既定値"]
    for i in range(rng.randint(2, 14)):
        ctl, pre = rng.choice(CONTROLS)
        lines += [f"   Begin VB.{ctl} {pre}{jp(rng, 1)}{i} "]
        if ctl in ("CommandButton", "Label", "CheckBox"):
            lines.append(f'      Caption         =   "{jp(rng)}"')
        lines += [f"      Height          =   {rng.randint(200, 600)}",
                  f"      Left            =   {rng.randint(0, 8000)}",
                  f"      TabIndex        =   {i}",
                  f"      Top             =   {rng.randint(0, 5000)}",
                  f"      Width           =   {rng.randint(500, 3000)}", "   End"]
    lines += ["End", f'Attribute VB_Name = "{name}"', "Attribute VB_GlobalNameSpace = False",
              "Attribute VB_Creatable = False", "Attribute VB_PredeclaredId = True",
              "Attribute VB_Exposed = False"]
    return lines + code_part(rng, "Proc", size)


def module(rng, name, size):
    return [f'Attribute VB_Name = "{name}"'] + code_part(rng, "Mod", size)


def klass(rng, name, size):
    return ["VERSION 1.0 CLASS", "BEGIN", "  MultiUse = -1  'True",
            "  Persistable = 0  'NotPersistable", "END", f'Attribute VB_Name = "{name}"',
            "Attribute VB_GlobalNameSpace = False", "Attribute VB_Creatable = True",
            "Attribute VB_PredeclaredId = False", "Attribute VB_Exposed = False"] + \
        code_part(rng, "Cls", size)


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    with open(path, "wb") as f:
        f.write(data)
    return len(data)


def main():
    out = sys.argv[1]
    target = float(sys.argv[2] if len(sys.argv) > 2 else 22) * 1024 * 1024
    rng = random.Random(4649)
    total = 0
    p = 0
    while total < target:
        folder = os.path.join(out, f"Prj{p:03d}")
        vbp = ["Type=Exe"]
        for m in range(rng.randint(10, 25)):
            kind = rng.random()
            size = rng.randint(6, 40)
            if kind < 0.4:
                name = f"frm{m:03d}"
                total += write(os.path.join(folder, "Forms", name + ".frm"), form(rng, name, size))
                vbp.append(f"Form=Forms\\{name}.frm")
            elif kind < 0.75:
                name = f"M{m:03d}"
                total += write(os.path.join(folder, "Modules", name + ".bas"),
                               module(rng, name, size))
                vbp.append(f"Module={name}; Modules\\{name}.bas")
            else:
                name = f"C{m:03d}"
                total += write(os.path.join(folder, "Classes", name + ".cls"),
                               klass(rng, name, size))
                vbp.append(f"Class={name}; Classes\\{name}.cls")
        vbp += [f'IconForm="frm000"', f'ExeName32="Prj{p:03d}.exe"', 'Path32="..\\bin"',
                f'Name="Prj{p:03d}"']
        write(os.path.join(folder, f"Prj{p:03d}.vbp"), vbp)
        p += 1
    print(f"{p} projects, {total / 1024 / 1024:.1f} MB of member files in {out}")


if __name__ == "__main__":
    main()
