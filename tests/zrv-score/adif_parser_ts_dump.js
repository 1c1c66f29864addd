// Reads ADIF files with the npm package adif-parser-ts and prints what it found, for the
// comparison test of zrv-score's reader.
//
//   node adif_parser_ts_dump.js NODE_MODULES_DIR FILE...
//
// Files are read as latin1, one character per byte, so that the package's lengths count bytes as
// ADIF's do and values come back byte for byte. For each file:
//   FILE <path>
//   ERROR <message>                    when the package threw
//   HEADER <NAME> <value>              one line per header field (not the header text)
//   RECORD                             then one FIELD line per field of that record
//   FIELD <NAME> <value>
// Fields are separated by a tab; names are upper-cased; in values \ is written \\, tab \t, CR \r
// and LF \n.
'use strict';
const fs = require('fs');
const path = require('path');

const [modulesDir, ...files] = process.argv.slice(2);
const {AdifParser} = require(path.join(modulesDir, 'adif-parser-ts'));

const escape = (value) => value.replace(/[\\\t\r\n]/g, (c) => ({'\\': '\\\\', '\t': '\\t', '\r': '\\r', '\n': '\\n'})[c]);
const lines = [];
const fieldLines = (kind, fields) => {
  for (const [name, value] of Object.entries(fields)) {
    lines.push(`${kind}\t${name.toUpperCase()}\t${escape(value)}`);
  }
};

for (const file of files) {
  lines.push(`FILE\t${file}`);
  let parsed;
  try {
    parsed = AdifParser.parseAdi(fs.readFileSync(file, 'latin1'));
  } catch (error) {
    lines.push(`ERROR\t${escape(String(error.message))}`);
    continue;
  }
  const {text, ...headerFields} = parsed.header || {};
  fieldLines('HEADER', headerFields);
  for (const record of parsed.records || []) {
    lines.push('RECORD');
    fieldLines('FIELD', record);
  }
}
process.stdout.write(Buffer.from(lines.join('\n') + '\n', 'latin1'));
