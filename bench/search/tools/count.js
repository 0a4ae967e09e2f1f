#!/usr/bin/env node
// Counts and replaces every match of each benchmark pattern with V8's engine.
// Usage: count.js PATTERNS TEXT REPEATS
// Prints one line a pattern: name, count, best count and replace CPU ms (tab-separated);
// the CPU time of the process, so V8's garbage-collector threads count too.
'use strict';
const fs = require('fs');

const [patternsFile, textFile, repeatsArg] = process.argv.slice(2);
const repeats = Number(repeatsArg);
const text = fs.readFileSync(textFile, 'utf8');

function cpuMs() {
  const usage = process.cpuUsage();
  return (usage.user + usage.system) / 1000;
}

function countMatches(regex) {
  regex.lastIndex = 0;
  let found = 0;
  let match;
  while ((match = regex.exec(text)) !== null) {
    found++;
    if (match[0].length === 0) regex.lastIndex++;
  }
  return found;
}

for (const line of fs.readFileSync(patternsFile, 'utf8').split('\n')) {
  if (line === '' || line.startsWith('#')) continue;
  const [name, flags, pattern] = line.split('\t');
  const regex = new RegExp(pattern, 'gm' + (flags.includes('i') ? 'i' : ''));
  let count = 0;
  let countMs = Infinity;
  let replaceMs = Infinity;
  for (let i = 0; i < repeats; i++) {
    let start = cpuMs();
    count = countMatches(regex);
    countMs = Math.min(countMs, cpuMs() - start);

    start = cpuMs();
    const replaced = text.replace(regex, '#');
    replaceMs = Math.min(replaceMs, cpuMs() - start);
    if (replaced.length === 0 && text.length !== 0) throw new Error('replace lost the text');
  }
  console.log(`${name}\t${count}\t${countMs.toFixed(1)}\t${replaceMs.toFixed(1)}`);
}
