#!/usr/bin/env python3
"""Mutation testing: how many small faults planted in the code the tests notice.

Draws a seeded sample of mutants over the program's code folders (flipped comparisons and
logic, +-1 on integer constants, negated conditions, changed returns, deleted calls), compiles
them all at once into a copy of the tree in a build folder of its own, each behind a run-time
switch (mutant K is on when TARVEX_MUTANT=K), finds with one traced run which test programs
reach each mutant, and runs each mutant against those programs only: a failure, crash or
timeout kills it. Prints killed / survived / not reached / not compiled per folder, the score
(killed / reached) and the survivors, and writes them to mutate-report.txt and
mutate-report.json in the build folder. The checkout itself is never written to.

Usage: scripts/mutate.py [--mutants N] [--seed S] [--e2e] [--compare OLD.json] [--every-killer]
                         [--jobs J] [--build DIR]
   or: make mutate [MUTANTS=N] [SEED=S] [E2E=1] [COMPARE=OLD.json]
"""
import argparse
import concurrent.futures
import contextlib
import json
import os
import random
import re
import signal
import subprocess
import sys
import threading
import time
from collections import Counter, defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ('store', 'keys', 'activation', 'platform', 'controls', 'ui', 'editor', 'options',
           'shell')
SWITCH = 'tarvex_mutant_on'
# Included first by every mutated file. Warnings a mutant causes by itself (a comparison now
# always true, a value now unused) are silenced there, so such a mutant still compiles.
HEADER = '''#pragma once
// Mutant switch, written by scripts/mutate.py: mutant K is on when TARVEX_MUTANT=K; with
// TARVEX_MUTANT_TRACE=FILE each process appends the number of every mutant it reaches to FILE.
#include <atomic>
#include <cstdio>
#include <cstdlib>
%s
inline bool tarvex_mutant_on(int id)
{
    static const char *const on = std::getenv("TARVEX_MUTANT");
    static const int active = on ? std::atoi(on) : 0;
    static const char *const path = std::getenv("TARVEX_MUTANT_TRACE");
    static std::FILE *const trace = path && *path ? std::fopen(path, "a") : nullptr;
    static std::atomic<bool> reached[%d + 1];
    if (trace && !reached[id].exchange(true)) {
        std::fprintf(trace, "%%d\\n", id);
        std::fflush(trace);
    }
    return id == active;
}
'''
QUIET = ('type-limits', 'bool-compare', 'tautological-compare', 'int-in-bool-context',
         'maybe-uninitialized', 'array-bounds', 'stringop-overflow', 'stringop-overread',
         'unused-value', 'unused-variable', 'unused-but-set-variable', 'parentheses', 'overflow',
         'shift-count-overflow', 'shift-count-negative', 'logical-not-parentheses', 'address',
         'nonnull', 'restrict', 'free-nonheap-object')

TOKEN = re.compile(r'''(?P<ws>\s+)|(?P<comment>//[^\n]*|/\*.*?\*/)|(?P<pp>\#(?:\\\n|[^\n])*)
  |(?P<str>(?:u8|[uUL])?R"(?P<d>[^(\s]*)\(.*?\)(?P=d)"|(?:u8|[uUL])?"(?:\\.|[^"\\\n])*")
  |(?P<chr>(?:u8|[uUL])?'(?:\\.|[^'\\\n])*')|(?P<num>\.?\d(?:[eEpP][+-]|[\w.'])*)
  |(?P<id>[A-Za-z_]\w*)
  |(?P<op><<=|>>=|<=>|->\*|\.\.\.|::|->|\+\+|--|<<|>>|[-+*/%&|^!=<>]=|&&|\|\||.)''',
                   re.S | re.X)
OPEN, CLOSE = {'(', '[', '{'}, {')', ']', '}'}
ASSIGN = {'=', '+=', '-=', '*=', '/=', '%=', '&=', '|=', '^=', '<<=', '>>='}
ENDS = {',', ';', '?', ':'} | ASSIGN  # what ends an expression inside its brackets
HEADERS = {'if', 'while', 'for', 'switch', 'catch', 'constexpr'}
STARTS = {'return', 'throw', 'case', 'else', 'do', 'co_return', 'co_yield'}
NOT_CALLS = {'return', 'throw', 'case', 'default', 'else', 'do', 'if', 'while', 'for', 'switch',
             'break', 'continue', 'goto', 'delete', 'new', 'sizeof', 'static_cast', 'const_cast',
             'reinterpret_cast', 'dynamic_cast', 'using', 'typedef', 'auto', 'const', 'static',
             'template', 'typename', 'co_await', 'operator'}
MACRO = re.compile(r'[A-Z][A-Z0-9_]+$')
LOGGING = re.compile(r'q(C?(Debug|Info|Warning|Critical)|Fatal)$')
FLIPS = {'<': ('<=', '>='), '<=': ('<', '>'), '>': ('>=', '<='), '>=': ('>', '<'),
         '==': ('!=',), '!=': ('==',), '&&': ('||',), '||': ('&&',)}
NO_CONSTANTS = {'constexpr', 'consteval', 'static_assert', 'case', 'enum', 'alignas', 'template'}
EMPTY_RETURNS = {'nullptr', '{}', 'QString()', 'QStringList()', 'std::nullopt'}


class Source:
    """One file of code, tokenised, with its brackets matched and its function bodies known."""

    def __init__(self, rel, text):
        self.rel, self.text, self.lines = rel, text, text.splitlines()
        line, toks = 1, []
        for m in TOKEN.finditer(text):
            if m.lastgroup not in ('ws', 'comment', 'pp'):
                toks.append((m.group(), m.lastgroup, m.start(), m.end(), line))
            line += m.group().count('\n')
        self.tok, self.kind, self.start, self.end, self.line = (
            map(list, zip(*toks)) if toks else ([], [], [], [], []))
        self.match, self.templates, self.blocks, stack = {}, set(), set(), []
        for i, t in enumerate(self.tok):
            if t in OPEN:
                stack.append(i)
            elif t in CLOSE and stack:
                j = stack.pop()
                self.match[i], self.match[j] = j, i
        for i, t in enumerate(self.tok):
            if t == '<' and self.kind[i - 1] == 'id' and self.tok[i - 1] != 'operator':
                close = self.template_end(i)
                if close is not None:
                    self.match[i] = close
                    self.match.setdefault(close, i)
                    self.templates.update((i, close))
        self.parent, self.code, stack = [], [], []  # innermost bracket around; inside a body?
        for i, t in enumerate(self.tok):
            self.parent.append(stack[-1] if stack else -1)
            self.code.append(bool(stack) and (stack[-1] in self.blocks or self.code[stack[-1]]))
            if self.opens(i):
                if t == '{' and self.is_block(i, bool(stack) and stack[-1] in self.blocks):
                    self.blocks.add(i)
                stack.append(i)
            while stack and self.match.get(stack[-1]) == i:
                stack.pop()

    def template_end(self, i):
        """The token closing a template argument list opened at i, or None if i compares."""
        depth, j = 0, i
        while j < min(len(self.tok), i + 80):
            t = self.tok[j]
            if t == '<':
                depth += 1
            elif t in ('>', '>>'):
                depth -= len(t)
                if depth <= 0:
                    return j
            elif t in ('(', '[') and j in self.match:
                j = self.match[j]
            elif self.kind[j] not in ('id', 'num') and t not in ('::', ',', '*', '&', '...'):
                return None
            j += 1
        return None

    def opens(self, i):
        return self.tok[i] in OPEN or (i in self.templates and self.tok[i] == '<')

    def is_block(self, i, in_block):
        """Whether the brace at i opens a block of statements (not a class, list or namespace)."""
        before = self.tok[i - 1]
        if before in (')', ']', 'else', 'do', 'try', 'const', 'override', 'noexcept', 'mutable'):
            return True
        if before in ('{', ';', '}', ':'):
            return in_block
        j = i - 1  # a trailing return type: -> T {
        while j > 0 and (self.kind[j] == 'id' or self.tok[j] in ('::', '*', '&', '>')):
            j = self.match.get(j, j) - 1 if j in self.templates else j - 1
        return self.tok[j] == '->'

    def is_lambda(self, brace):
        before = brace - 1
        return self.tok[before] in (']', 'mutable') or (
            self.tok[before] == ')' and self.tok[self.match.get(before, 1) - 1] == ']')

    def header_end(self, j):
        """Whether token j closes the parenthesis of an if, while, for or switch."""
        return self.tok[j] == ')' and self.tok[self.match.get(j, 0) - 1] in HEADERS

    def expression(self, i):
        """First and last token of the smallest whole expression around the operator at i."""
        o = self.parent[i]
        lo, hi = (o + 1, self.match.get(o, len(self.tok)) - 1) if o >= 0 else (0, len(self.tok) - 1)
        a, b = i, i
        while a > lo and not (self.tok[a - 1] in ENDS | STARTS or self.header_end(a - 1) or
                              self.tok[a - 1] == '}' and self.match.get(a - 1) in self.blocks):
            a -= 1
            if self.tok[a] in CLOSE or (a in self.templates and self.tok[a] != '<'):
                a = self.match.get(a, a)
        while b < hi and self.tok[b + 1] not in ENDS:
            b = self.match.get(b + 1, b + 1) if self.opens(b + 1) else b + 1
        return a, b

    def statement_end(self, i):
        """The ';' ending the statement that starts at i, or None."""
        j = i
        while j < len(self.tok) and self.tok[j] != ';':
            if self.tok[j] in CLOSE or self.tok[j] == '{' and j in self.blocks:
                return None
            j = self.match.get(j, j) + 1 if self.opens(j) else j + 1
        return j if j < len(self.tok) else None

    def top_level(self, a, b):
        """The tokens from a to b outside any bracket among them."""
        j, top = a, []
        while j <= b:
            top.append(self.tok[j])
            j = self.match.get(j, j) + 1 if self.opens(j) else j + 1
        return top

    def raw(self, a, b):
        """The source text of tokens a to b on one line, as a reader would quote it."""
        return ' '.join(self.text[self.start[a]:self.end[b]].split())

    def code_of(self, a, b, swap=None):
        return ' '.join((swap or {}).get(k, self.tok[k]) for k in range(a, b + 1))

    def in_macro(self, i):
        """Whether token i is in the arguments of an upper-case macro (Q_ASSERT ...)."""
        o = self.parent[i]
        while o > 0 and not (self.tok[o] == '(' and MACRO.match(self.tok[o - 1])):
            o = self.parent[o]
        return o > 0


class Site:
    """A place for a mutant: tokens a to b, and each mutation as (what was, what becomes, the
    code with the mutant on). As an expression the mutant reads (on ? mutated : original); as a
    statement, { if (on) { mutated } else { original } }."""

    def __init__(self, src, kind, a, b, original, mutations, statement=False):
        self.src, self.kind, self.a, self.b, self.original = src, kind, a, b, original
        self.mutations, self.statement = mutations, statement
        self.chars, self.lines = (src.start[a], src.end[b]), (src.line[a], src.line[b])
        self.context = ' '.join(' '.join(src.lines[src.line[a] - 1:src.line[b]]).split())
        self.where = src.raw(a, b) if kind in ('compare', 'logic') else (
            self.context if kind == 'constant' else None)

    def code(self, number, mutated):
        on = f'{SWITCH}({number})'
        if self.statement:
            return f'{{ if ({on}) {{ {mutated} }} else {{ {self.original} }} }}'
        return f'({on} ? {mutated} : {self.original})'


def sites(src):
    """Every mutation site of one file."""
    found = []
    for i, t in enumerate(src.tok):
        if not src.code[i] and src.kind[i] != 'num' or src.in_macro(i):
            continue
        site = (flipped(src, i) if t in FLIPS else constant(src, i) if src.kind[i] == 'num' else
                negated(src, i) if t in ('if', 'while') else
                returned(src, i) if t == 'return' else deleted(src, i))
        if site and not re.search(r'\n\s*#', src.text[site.chars[0]:site.chars[1]]) and (
                '\n' not in ''.join(src.tok[site.a:site.b + 1])):
            found.append(site)
    return found


def flipped(src, i):
    t = src.tok[i]
    if i in src.templates or src.tok[i - 1] == 'operator' or t == '&&' and (
            src.tok[i - 1] in ('auto', 'const', '(', ',') or i - 1 in src.templates):
        return None  # a template's bracket, an operator's name, a reference to a temporary
    a, b = src.expression(i)
    if a == i or b == i:
        return None
    return Site(src, 'logic' if t in ('&&', '||') else 'compare', a, b, f'({src.code_of(a, b)})',
                [(t, new, f'({src.code_of(a, b, {i: new})})') for new in FLIPS[t]])


def constant(src, i):
    m = re.fullmatch(r"(0[xX][0-9a-fA-F']+|[1-9][\d']*|0)([uUlL]*)", src.tok[i])
    if not m or src.parent[i] in src.templates or (
            src.tok[i - 1] == '[' and src.kind[i - 2] == src.kind[i - 3] == 'id'):
        return None  # a template argument or an array's size in its declaration
    j = i - 1  # back to the start of the statement, out of any list, call or class around it
    while j >= 0 and not (src.tok[j] == ';' or src.tok[j] in ('{', '}') and
                          (src.match.get(j) if src.tok[j] == '}' else j) in src.blocks):
        if src.tok[j] in NO_CONSTANTS:
            return None
        j = src.match.get(j, j) - 1 if src.tok[j] in CLOSE else j - 1
    digits, suffix = m.group(1).replace("'", ''), m.group(2)
    hexadecimal = digits[:2].lower() == '0x'
    value = int(digits, 16 if hexadecimal else 10)
    shown = [(f'0x{v:X}' if hexadecimal else str(v)) + suffix for v in (value + 1, value - 1)]
    return Site(src, 'constant', i, i, src.tok[i],
                [(src.tok[i], new, new) for new in shown[:1 + (value > 0)]])


def negated(src, i):
    if src.tok[i + 1] != '(' or i + 1 not in src.match or src.match[i + 1] == i + 2:
        return None
    a, b = i + 2, src.match[i + 1] - 1
    top = src.top_level(a, b)
    if {';', ','} & set(top) or ASSIGN & set(top) or src.kind[a] == src.kind[a + 1] == 'id':
        return None  # an initialiser or a declaration
    x = src.code_of(a, b)
    return Site(src, 'condition', a, b, f'bool({x})', [(src.raw(a, b), 'negated', f'!({x})')])


def returned(src, i):
    end = src.statement_end(i + 1)
    if end is None or end == i + 1 or src.parent[i] not in src.blocks:
        return None
    x = src.code_of(i + 1, end - 1)
    if x in ('true', 'false'):
        new = 'false' if x == 'true' else 'true'
        return Site(src, 'return', i + 1, i + 1, x, [(x, new, new)])
    if (x.replace(' ', '') in EMPTY_RETURNS or end == i + 2 and src.kind[i + 1] == 'num' or
            src.is_lambda(src.parent[i])):
        return None  # already empty, a constant's mutant, or a type deduced from the value
    return Site(src, 'return', i, end, f'return {x};',
                [(src.raw(i, end - 1), 'return {}', 'return {};')], statement=True)


def deleted(src, i):
    """A statement that is nothing but a call (not logging), deleted."""
    before = src.tok[i - 1]
    if src.parent[i] not in src.blocks or not (
            before in (';', '{', 'else', 'do') or src.header_end(i - 1) or
            before == '}' and src.match.get(i - 1) in src.blocks):
        return None
    end = src.statement_end(i)
    j = i + 1 if src.tok[i] in ('emit', 'Q_EMIT') else i
    if end is None or src.kind[j] != 'id' or src.tok[j] in NOT_CALLS or MACRO.match(src.tok[j]):
        return None
    names, last = [src.tok[j]], None
    j += 1
    while j < end:
        if src.tok[j] in ('.', '->', '::') and src.kind[j + 1] == 'id':
            names.append(src.tok[j + 1])
            j, last = j + 2, src.tok[j]
        elif src.opens(j) and src.tok[j] != '{' and j in src.match:
            j, last = src.match[j] + 1, src.tok[j]
        else:
            return None
    if last != '(' or any(LOGGING.match(n) for n in names):
        return None
    return Site(src, 'call', i, end, src.code_of(i, end), [(src.raw(i, end), 'deleted', '')],
                statement=True)


# ---------------------------------------------------------------------------------------------
# The sample.

def listed(*paths):
    out = subprocess.run(['git', 'ls-files', '-z', '--', *paths], cwd=ROOT, check=True,
                         capture_output=True, text=True).stdout
    return sorted(f for f in out.split('\0') if f and os.path.isfile(os.path.join(ROOT, f)))


def candidates():
    """Every (site, mutation, key) of the tree; the key finds the same mutant after edits
    elsewhere: file, mutation, the text of its lines and which of the same it is there."""
    result, seen = [], Counter()
    for rel in (f for f in listed(*FOLDERS) if f.endswith('.cpp')):
        with open(os.path.join(ROOT, rel), encoding='utf-8') as f:
            src = Source(rel, f.read())
        for site in sites(src):
            for mutation in site.mutations:
                base = '|'.join((rel, site.kind, *mutation[:2], site.context))
                seen[base] += 1
                result.append((site, mutation, f'{base}|{seen[base]}'))
    return result


def draw(cands, count, seed, old_keys=None):
    """count mutants at sites drawn with seed (or those of old_keys), none overlapping another."""
    by_site = defaultdict(list)
    for site, mutation, key in cands:
        by_site[site].append((mutation, key))
    order = list(by_site)
    rng = random.Random(seed)
    rng.shuffle(order)
    chosen, taken = [], defaultdict(list)
    for site in order:
        options = by_site[site]
        pick = ([o for o in options if o[1] in old_keys][:1] if old_keys is not None else
                [rng.choice(options)])
        spans = taken[site.src.rel]
        if not pick or any(s < site.chars[1] and site.chars[0] < e for s, e in spans):
            continue
        spans.append(site.chars)
        chosen.append((site, *pick[0]))
        if old_keys is None and len(chosen) == count:
            break
    chosen.sort(key=lambda c: (c[0].src.rel, c[0].chars))
    return [Mutant(n + 1, *c) for n, c in enumerate(chosen)]


class Mutant:
    def __init__(self, number, site, mutation, key):
        self.id, self.site, self.key, self.rel = number, site, key, site.src.rel
        self.was, self.becomes, mutated = mutation
        self.code = site.code(number, mutated)
        self.status, self.killer, self.tests, self.killers = 'not compiled', None, [], []

    def describe(self):
        short = lambda s: s if len(s) <= 70 else s[:67] + '...'
        where = f'  in: {short(self.site.where)}' if self.site.where else ''
        return (f'{self.rel}:{self.site.lines[0]}  {self.site.kind}: {short(self.was)} -> '
                f'{self.becomes}{where}')


# ---------------------------------------------------------------------------------------------
# The copy of the tree and its build.

def mutated_text(src, mutants, header):
    """The file with its mutants, each on one line, the lines after it where they were."""
    text = src.text
    for m in sorted(mutants, key=lambda m: -m.site.chars[0]):
        s, e = m.site.chars
        text = text[:s] + m.code + '\n' * text[s:e].count('\n') + text[e:]
    return f'#include "{header}"\n#line 1\n{text}'


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, 'rb') as f:
            if f.read() == data:
                return  # untouched, so not compiled again
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def write_tree(tree, mutated):
    """Copies the checkout's files to tree, those in mutated (path -> text) with their mutants."""
    wanted = set(listed())
    for rel in wanted:
        with open(os.path.join(ROOT, rel), 'rb') as f:
            write_if_changed(os.path.join(tree, rel),
                             mutated[rel].encode() if rel in mutated else f.read())
    for folder, dirs, files in os.walk(tree):
        if folder == tree and 'build' in dirs:
            dirs.remove('build')
        for name in files:
            if os.path.relpath(os.path.join(folder, name), tree) not in wanted:
                os.remove(os.path.join(folder, name))


def ninja(bdir, jobs, targets=()):
    """Builds targets (everything by default); returns {object: compiler output} of failures."""
    out = subprocess.run(['ninja', '-C', bdir, '-k', '0', '-j', str(jobs), *targets],
                         env=dict(os.environ, NINJA_STATUS='@@ninja '), capture_output=True,
                         text=True).stdout
    failed = {}
    for block in re.split(r'^FAILED: ', out, flags=re.M)[1:]:
        head, _, rest = block.partition('\n')
        failed[head.split()[0]] = re.split(r'^(?:@@ninja|ninja: )', rest, flags=re.M)[0]
    if 'ninja: build stopped' in out and not failed or 'ninja: error' in out:
        sys.exit(f'mutate: the build failed:\n{out[-3000:]}')
    return failed


def compile_mutants(tree, bdir, jobs, mutants, header):
    """Builds every mutant that compiles. The others are found per file by the lines of their
    errors, or else by halving the file's mutants until the one that fails is alone."""
    per_file = defaultdict(list)
    for m in mutants:
        per_file[m.rel].append(m)
    ok, queue, objects = {rel: [] for rel in per_file}, {r: [ms] for r, ms in per_file.items()}, {}
    while any(queue.values()):
        trial = {rel: q[0] for rel, q in queue.items() if q}
        write_tree(tree, {rel: mutated_text(ms[0].site.src, ok[rel] + trial.get(rel, []), header)
                          for rel, ms in per_file.items()})
        if not objects:
            subprocess.run(['cmake', '-S', tree, '-B', bdir, '-G', 'Ninja',
                            '-DCMAKE_BUILD_TYPE=RelWithDebInfo'], check=True,
                           stdout=subprocess.DEVNULL)
            objects = defaultdict(list)
            with open(os.path.join(bdir, 'compile_commands.json')) as f:
                for entry in json.load(f):
                    words = entry['command'].split()
                    rel = os.path.relpath(entry['file'], tree)
                    objects[rel].append(words[words.index('-o') + 1])
            for rel in [rel for rel in trial if not objects[rel]]:
                queue[rel], trial[rel] = [], []  # not built in this configuration
        print(f'mutate: compiling {sum(map(len, trial.values()))} mutants in {len(trial)} files',
              flush=True)
        failed = ninja(bdir, jobs, [o for rel in trial for o in objects[rel]])
        if set(failed) - {o for rel in trial for o in objects[rel]}:
            sys.exit('mutate: the build failed:\n' + '\n'.join(failed.values())[-3000:])
        for rel, group in trial.items():
            errors = ''.join(failed.get(o, '') for o in objects[rel])
            queue[rel] = queue[rel][1:]
            if not errors:
                ok[rel] += group
                continue
            lines = {int(n) for n in re.findall(rf'(?:^|/){re.escape(rel)}:(\d+):\d+:\s+'
                                                r'(?:error|warning|required from)', errors, re.M)}
            bad = [m for m in group if any(m.site.lines[0] <= n <= m.site.lines[1] for n in lines)]
            rest = [m for m in group if m not in bad]
            if bad and rest:
                queue[rel].insert(0, rest)
            elif not bad and len(group) > 1:
                queue[rel][:0] = [group[:len(group) // 2], group[len(group) // 2:]]
    # A file whose trial object was never built (a target it waits for failed in that round)
    # shows its fault only in the whole build: its mutants on the lines named are left out, and
    # the build is tried again.
    for _ in range(5):
        write_tree(tree, {rel: mutated_text(ms[0].site.src, ok[rel], header)
                          for rel, ms in per_file.items()})
        print(f'mutate: {sum(map(len, ok.values()))} of {len(mutants)} mutants compile; '
              'building the tests', flush=True)
        failed = ninja(bdir, jobs)
        errors = '\n'.join(failed.values())
        dropped = 0
        for rel in ok:
            lines = {int(n) for n in re.findall(rf'(?:^|/){re.escape(rel)}:(\d+):\d+:\s+error',
                                                errors, re.M)}
            bad = [m for m in ok[rel] if any(m.site.lines[0] <= n <= m.site.lines[1]
                                             for n in lines)]
            ok[rel] = [m for m in ok[rel] if m not in bad]
            dropped += len(bad)
        if not failed:
            break
        if not dropped:
            sys.exit('mutate: the build with the mutants failed:\n' + errors[-3000:])
    compiled = [m for ms in ok.values() for m in ms]
    for m in compiled:
        m.status = 'compiled'
    return compiled


# ---------------------------------------------------------------------------------------------
# The tests.

RUNNING, RUNNING_LOCK, E2E_LOCK, STOPPED = set(), threading.Lock(), threading.Lock(), [False]


def test_programs(bdir, e2e):
    shown = json.loads(subprocess.run(['ctest', '--show-only=json-v1'], cwd=bdir, check=True,
                                      capture_output=True, text=True).stdout)
    tests = []
    for t in shown['tests']:
        props = {p['name']: p['value'] for p in t.get('properties', [])}
        is_e2e = 'e2e' in props.get('LABELS', [])
        if 'command' in t and (e2e or not is_e2e):
            tests.append({'name': t['name'], 'command': t['command'], 'e2e': is_e2e,
                          'env': dict(v.split('=', 1) for v in props.get('ENVIRONMENT', [])),
                          'cwd': props.get('WORKING_DIRECTORY', bdir),
                          'timeout': float(props.get('TIMEOUT', 600))})
    return tests


def run_test(test, extra_env, timeout):
    """Runs one test program: 'passed', 'failed', 'crashed' or 'timed out', and its seconds.
    End-to-end tests run one at a time, as they share the pointer and the keyboard."""
    env = {k: v for k, v in os.environ.items() if not k.startswith('TARVEX_MUTANT')}
    env.update(test['env'], **extra_env)
    with E2E_LOCK if test['e2e'] else contextlib.nullcontext():
        began = time.monotonic()
        with RUNNING_LOCK:
            if STOPPED[0]:
                return 'stopped', 0
            p = subprocess.Popen(test['command'], cwd=test['cwd'], env=env,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL, start_new_session=True)
            RUNNING.add(p)
        try:
            code = p.wait(timeout=timeout)
            verdict = 'passed' if code == 0 else 'crashed' if code < 0 else 'failed'
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)  # its leader still runs, so the group is this one
            p.wait()
            verdict = 'timed out'
        with RUNNING_LOCK:
            RUNNING.discard(p)
        return verdict, time.monotonic() - began


def trace(bdir, tests, jobs):
    """Runs every test with no mutant on (again if it fails: a loaded machine can delay it);
    returns {test: mutants reached} of those that pass (one that fails alone kills nothing)."""
    folder = os.path.join(bdir, 'mutate-trace')
    os.makedirs(folder, exist_ok=True)

    def one(test):
        path = os.path.join(folder, test['name'] + '.ids')
        for _ in range(2):
            open(path, 'w').close()
            verdict, test['seconds'] = run_test(test, {'TARVEX_MUTANT_TRACE': path},
                                                test['timeout'])
            if verdict == 'passed':
                break
        if verdict != 'passed':
            print(f'mutate: {test["name"]} {verdict} with no mutant on; left out', flush=True)
            test['left out'] = verdict
            return test['name'], set()
        with open(path) as f:
            return test['name'], {int(line) for line in f}

    return dict(parallel(jobs, one, tests))


def run_mutants(mutants, tests, reached, jobs, every_killer=False):
    """Runs each mutant against the tests that reach it, quickest first, until one fails (or,
    with `every_killer`, against all of them, to learn which programs alone kill a mutant)."""
    seconds = {t['name']: t['seconds'] for t in tests}
    for m in mutants:
        m.tests = sorted((n for n, ids in reached.items() if m.id in ids), key=seconds.get)
        m.status = 'survived' if m.tests else 'not reached'
    todo, done = [m for m in mutants if m.tests], []

    def one(m):
        for test in (t for name in m.tests for t in tests if t['name'] == name):
            verdict, _ = run_test(test, {'TARVEX_MUTANT': str(m.id)}, 3 * test['seconds'] + 30)
            if verdict != 'passed':
                if not m.killer:
                    m.status, m.killer = 'killed', f'{test["name"]} ({verdict})'
                m.killers.append(test['name'])
                if not every_killer:
                    break
        with RUNNING_LOCK:
            done.append(m)
            print(f'mutate: [{len(done)}/{len(todo)}] #{m.id} {m.status} {m.describe()}',
                  flush=True)

    parallel(jobs, one, todo)


def parallel(jobs, work, items):
    """work(item) for every item, jobs at a time; an interruption leaves the rest undone."""
    pool = concurrent.futures.ThreadPoolExecutor(jobs)
    try:
        return list(pool.map(work, items))
    finally:
        pool.shutdown(wait=False, cancel_futures=True)


def stop():
    """Ends the test programs still running, each with the processes it started."""
    with RUNNING_LOCK:
        STOPPED[0] = True
        for p in RUNNING:
            if p.poll() is None:
                os.killpg(p.pid, signal.SIGKILL)


# ---------------------------------------------------------------------------------------------
# The report.

def report(args, mutants, tests, timings):
    statuses = ('not compiled', 'not reached', 'killed', 'survived')
    table = defaultdict(Counter)
    for m in mutants:
        table[os.path.dirname(m.rel)][m.status] += 1
        table['all'][m.status] += 1
    score = lambda c: (f'{100 * c["killed"] / (c["killed"] + c["survived"]):.0f}%'
                       if c['killed'] + c['survived'] else '-')
    drawn = f'again from {args.compare}' if args.compare else f'with seed {args.seed}'
    lines = [f'Mutation testing of {version()}: {len(mutants)} mutants drawn {drawn}; '
             f'{"all" if args.e2e else "unit"} tests ({len(tests)} programs); '
             + ', '.join(f'{k} {v}' for k, v in timings.items()), '',
             f'{"folder":18}{"drawn":>7}' + ''.join(f'{s:>14}' for s in statuses) + '   score']
    for folder in sorted(table, key=lambda f: (f == 'all', f)):
        c = table[folder]
        lines.append(f'{folder:18}{sum(c.values()):7}' + ''.join(f'{c[s]:14}' for s in statuses)
                     + f'{score(c):>8}')
    survivors = [m for m in mutants if m.status == 'survived']
    lines += ['', f'Score (killed / reached): {score(table["all"])}', '',
              f'Survivors ({len(survivors)}):'] + [f'  {m.describe()}' for m in survivors]
    left_out = [f'{t["name"]} ({t["left out"]})' for t in tests if 'left out' in t]
    if left_out:
        lines += ['', 'Left out, as they fail with no mutant on: ' + ', '.join(left_out)]
    if args.every_killer:
        lines += sole_killers(mutants, tests)
    if args.compare:
        lines += compared(args.compare, mutants)
    text = '\n'.join(lines) + '\n'
    print('\n' + text)
    with open(os.path.join(args.build, 'mutate-report.txt'), 'w') as f:
        f.write(text)
    with open(os.path.join(args.build, 'mutate-report.json'), 'w') as f:
        json.dump({'tree': version(), 'seed': args.seed, 'mutants': args.mutants, 'e2e': args.e2e,
                   'timings': timings, 'left out': left_out,
                   'tests': {t['name']: round(t['seconds'], 2) for t in tests},
                   'results': [{'id': m.id, 'file': m.rel, 'line': m.site.lines[0],
                                'kind': m.site.kind, 'was': m.was, 'becomes': m.becomes,
                                'key': m.key, 'status': m.status, 'killer': m.killer,
                                'killers': m.killers,
                                'reached by': len(m.tests)} for m in mutants]}, f, indent=1)


def sole_killers(mutants, tests):
    """Per test program: the mutants it kills, and those no other program kills. A program that
    is the sole killer of none adds no fault-finding power of its own."""
    kills, sole = Counter(), Counter()
    for m in mutants:
        for name in m.killers:
            kills[name] += 1
            sole[name] += len(m.killers) == 1
    return ['', f'{"test program":36}{"kills":>7}{"alone":>7}'] + [
        f'{t["name"]:36}{kills[t["name"]]:7}{sole[t["name"]]:7}'
        for t in sorted(tests, key=lambda t: (sole[t['name']], kills[t['name']], t['name']))]


def compared(old_path, mutants):
    """Which of an earlier report's mutants whose code still exists it killed and now not."""
    with open(old_path) as f:
        old = {r['key']: r for r in json.load(f)['results']}
    was = lambda m: old[m.key]['status']
    lost = [m for m in mutants if was(m) == 'killed' and m.status != 'killed']
    return ['', f'Compared with {old_path}: {len(mutants)} of its {len(old)} mutants still exist; '
            f'killed then {sum(was(m) == "killed" for m in mutants)}, now '
            f'{sum(m.status == "killed" for m in mutants)} '
            f'({sum(was(m) != "killed" and m.status == "killed" for m in mutants)} newly).',
            f'Killed then, not now ({len(lost)}):'] + [
        f'  {m.describe()}  [{m.status}; killed then by {old[m.key]["killer"]}]' for m in lost]


def version():
    git = lambda *a: subprocess.run(['git', *a], cwd=ROOT, capture_output=True, text=True).stdout
    return git('rev-parse', '--short', 'HEAD').strip() + (
        '+changes' if git('status', '--porcelain', '--', *FOLDERS).strip() else '')


def minutes(seconds):
    return f'{int(seconds // 60)}m{int(seconds % 60):02d}s'


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0],
                                     epilog='or: make mutate [MUTANTS=N] [SEED=S] [E2E=1] '
                                            '[COMPARE=OLD.json]')
    parser.add_argument('--mutants', type=int, default=450, help='how many mutants to draw')
    parser.add_argument('--seed', type=int, default=1, help='the seed of the draw')
    parser.add_argument('--e2e', action='store_true', help='add the end-to-end tests')
    parser.add_argument('--compare', help="run an earlier JSON report's mutants again")
    parser.add_argument('--every-killer', action='store_true',
                        help='run each killed mutant against every test that reaches it too')
    parser.add_argument('--jobs', type=int, default=2, help='parallel compiles and test runs')
    parser.add_argument('--build', default=os.path.join(ROOT, 'build-mutate'),
                        help='its build folder (build-mutate/ in the checkout)')
    args = parser.parse_args()
    args.build, began, timings = os.path.abspath(args.build), time.monotonic(), {}
    # The copy lies beside its build folder as build/ lies in a checkout, so the files that
    # carry no mutant are the checkout's files to the compiler cache.
    tree = os.path.join(args.build, 'tree')
    bdir = os.path.join(tree, 'build')
    old_keys = None
    if args.compare:
        with open(args.compare) as f:
            old_keys = {r['key'] for r in json.load(f)['results']}
    cands = candidates()
    mutants = draw(cands, args.mutants, args.seed, old_keys)
    print(f'mutate: {len(mutants)} mutants drawn of {len(cands)} in '
          f'{len({m.rel for m in mutants})} files', flush=True)
    header = os.path.join(bdir, 'tarvex_mutant.h')
    quiet = '\n'.join(f'#pragma GCC diagnostic ignored "-W{w}"' for w in QUIET)
    write_if_changed(header, (HEADER % (quiet, len(mutants))).encode())
    compiled = compile_mutants(tree, bdir, args.jobs, mutants, header)
    timings['build'] = minutes(time.monotonic() - began)
    tests, step = test_programs(bdir, args.e2e), time.monotonic()
    reached = trace(bdir, tests, args.jobs)
    timings['trace'], step = minutes(time.monotonic() - step), time.monotonic()
    run_mutants(compiled, tests, reached, args.jobs, args.every_killer)
    timings['mutants'] = minutes(time.monotonic() - step)
    report(args, mutants, tests, timings)


if __name__ == '__main__':
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    try:
        main()
    except KeyboardInterrupt:
        stop()
        os._exit(130)
