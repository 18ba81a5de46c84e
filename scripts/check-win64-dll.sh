#!/usr/bin/env bash
# Checks the Windows DLL the win64 preset built: its export table is PluginMain alone, it
# needs no runtime DLL beside the system's, and its resources are those of the resource
# script: the property list with the same bytes, each dialog with the same controls (id,
# class, text) and caption, each icon, bitmap and PNG picture.
#
#   scripts/check-win64-dll.sh [build/win64/plugins/cartovel.dll]
set -euo pipefail
cd "$(dirname "$0")/.."
dll=${1:-build/win64/plugins/cartovel.dll}
triple=x86_64-w64-mingw32
[[ -f $dll ]] || { echo "check-win64-dll: no $dll" >&2; exit 1; }

dump=$(mktemp -d)
trap 'rm -rf "$dump"' EXIT
"$triple-objdump" -p "$dll" >"$dump/headers"
"$triple-windres" -J coff -i "$dll" -O rc >"$dump/resources.rc"

python3 - "$dump/headers" "$dump/resources.rc" resources/cartovel.rc.json <<'PY'
import json, re, sys

headers, rc, script = (open(p, encoding='utf-8').read() for p in sys.argv[1:])
faults = []

table = headers.split('[Ordinal/Name Pointer] Table', 1)
exports = re.findall(r'^\s*\[\s*\d+\]\s+(\S+)\s*$', table[1].split('\n\n', 1)[0], re.M) \
    if len(table) == 2 else []
if exports != ['PluginMain']:
    faults.append(f'exports {exports}, not PluginMain alone')
system = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'comctl32.dll', 'comdlg32.dll',
          'shell32.dll', 'msvcrt.dll', 'advapi32.dll', 'ole32.dll', 'shlwapi.dll'}
for name in re.findall(r'DLL Name: (\S+)', headers):
    if name.lower() not in system and not name.lower().startswith('api-ms-win-'):
        faults.append(f'imports {name}, which is not the system\'s')

def text(literal):
    """A string as windres writes it: L"\\x30b5...", octal escapes, doubled quotes."""
    body = literal[2:-1] if literal.startswith('L') else literal[1:-1]
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == '\\':
            n = body[i + 1]
            if n == 'x':
                m = re.match(r'[0-9a-fA-F]{1,4}', body[i + 2:])
                out.append(chr(int(m.group(0), 16))); i += 2 + len(m.group(0)); continue
            if n.isdigit():
                m = re.match(r'[0-7]{1,3}', body[i + 1:])
                out.append(chr(int(m.group(0), 8))); i += 1 + len(m.group(0)); continue
            out.append({'n': '\n', 't': '\t', '\\': '\\', '"': '"'}.get(n, n)); i += 2; continue
        if c == '"' and body[i + 1:i + 2] == '"':
            out.append('"'); i += 2; continue
        out.append(c); i += 1
    return ''.join(out)

blocks = {}
for m in re.finditer(r'^(\d+) (\S+)[^\n]*\n(.*?)^END', rc, re.M | re.S):
    blocks.setdefault(m.group(2), {})[int(m.group(1))] = m.group(0)

def pipl_bytes(block):
    data = bytearray()
    body = block.split('BEGIN', 1)[1]
    for word in re.findall(r'0x[0-9a-fA-F]+L?', body):
        value = int(word.rstrip('L'), 16)
        data += value.to_bytes(4 if word.endswith('L') else 2, 'little')
    return bytes(data)

def expected_pipl(properties):
    def code(s):
        return s.encode('latin-1')[::-1]
    out = bytearray(b'\x01\x00\x00\x00\x00\x00') + len(properties).to_bytes(4, 'little')
    for p in properties:
        if 'fourcc' in p:
            data = code(p['fourcc'])
        elif 'int32' in p:
            data = p['int32'].to_bytes(4, 'little', signed=True)
        else:
            data = p['string'].encode('utf-8') + b'\0'
        data += b'\0' * (-len(data) % 4)
        out += code(p['vendor']) + code(p['key']) + bytes(4) + len(data).to_bytes(4, 'little')
        out += data
    return bytes(out)

kinds = {'PIPL': '"PIPL"', 'DLG ': 'DIALOGEX', 'ICON': '14', 'BMP ': '2', 'PNGI': '"PNGI"'}
for entry in json.loads(script)['resources']:
    kind, rid = entry['type'], entry['id']
    block = blocks.get(kinds.get(kind, f'"{kind.strip()}"'), {}).get(rid)
    if block is None:
        faults.append(f"no '{kind}' resource {rid}")
        continue
    if kind == 'PIPL' and pipl_bytes(block) != expected_pipl(entry['pipl']['properties']):
        faults.append(f'the property list {rid} differs from the script\'s')
    if kind == 'DLG ':
        d = entry['dialog']
        caption = re.search(r'^CAPTION (L?".*")$', block, re.M)
        if (text(caption.group(1)) if caption else '') != d.get('caption', ''):
            faults.append(f'dialog {rid}: caption differs')
        want = sorted((c.get('id', -1), {'TREEVIEW': 'SysTreeView32'}.get(c['class'], c['class']),
                       c.get('text', '')) for c in d.get('controls', []))
        have = sorted((int(m.group(2)), m.group(3), text(m.group(1))) for m in re.finditer(
            r'^\s*CONTROL (L?"(?:[^"]|"")*"), (-?\d+), "(\w+)"', block, re.M))
        if want != have:
            faults.append(f'dialog {rid}: controls differ:\n  want {want}\n  have {have}')

if faults:
    print('check-win64-dll: ' + '\ncheck-win64-dll: '.join(faults), file=sys.stderr)
    sys.exit(1)
dialogs = len(blocks.get('DIALOGEX', {}))
print(f'check-win64-dll: exports PluginMain alone; system DLLs only; '
      f'PIPL 16000 and {dialogs} dialogs, icons and pictures as in the script')
PY
