# Sourced by bench/run.sh: the one place where pairs of runs become figures.
# A benchmark prints "PAIR id subject reference" lines, one per pair of runs
# (subject and reference alternating, after a warm-up of each); a figure is
# the median of the pairs' ratios with their lowest and highest, the run
# count, the medians of both sides as context, and the verdict against its
# target; a figure without pairs, or with a pair that measured nothing, is
# over target. Numbers are formatted in the C locale whatever the Wine locale is.

# The numbers on standard input, sorted.
sorted() { LC_ALL=C sort -g; }
# The median of the numbers on standard input; nothing for none.
median() { sorted | LC_ALL=C awk '{a[NR] = $1} END {if (NR) print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
# The nearest-rank percentile $1 of the numbers on standard input.
percentile() { sorted | LC_ALL=C awk -v p="$1" '{a[NR] = $1} END {i = int(NR * p / 100); if (i < NR * p / 100) i++; if (NR) print a[i < 1 ? 1 : i]}'; }

# The pairs of figure $2 in benchmark output $1: "subject reference" lines.
pairs() { LC_ALL=C awk -v id="$2" '$1 == "PAIR" && $2 == id {print $3, $4}' "$1"; }
ratios() { pairs "$@" | LC_ALL=C awk '{printf "%.6f\n", $1 / $2}'; }
# Why figure $2 of output $1 cannot be judged: no pairs, or a pair with a
# side that is not a positive number (a run that measured nothing). Nothing
# when every pair is valid.
unjudged() {
  pairs "$@" | LC_ALL=C awk '!($1 + 0 > 0 && $2 + 0 > 0) {bad++}
    END {if (!NR) print "no measurement"; else if (bad) printf "%d of %d pairs measured nothing\n", bad, NR}'
}

# "within target" when value $1 is a number of at most target $2.
verdict() { LC_ALL=C awk -v v="$1" -v t="$2" 'BEGIN {print (v != "" && v + 0 <= t + 0) ? "within target" : "over target"}'; }

# figure OUTPUT ID TARGET UNIT TEXT: the median pair ratio of figure ID;
# UNIT (ms or bytes) says how the two sides read. TARGET "-" marks a ratio
# shown for context, whose verdict is given by another figure.
figure() {
  local out=$1 id=$2 target=$3 unit=$4 text=$5 why
  local bound="target at most $target"
  [ "$target" != - ] || bound="a figure for context"
  why=$(unjudged "$out" "$id")
  if [ -n "$why" ]; then echo "$text: $why; $bound: over target"; return; fi
  local n ending
  n=$(pairs "$out" "$id" | wc -l)
  if [ "$target" = - ]; then
    ending="no target of its own"
  else
    ending="target at most $target: $(verdict "$(ratios "$out" "$id" | median)" "$target")"
  fi
  local ratio low high subject reference
  ratio=$(ratios "$out" "$id" | median)
  low=$(ratios "$out" "$id" | sorted | head -n 1)
  high=$(ratios "$out" "$id" | sorted | tail -n 1)
  subject=$(pairs "$out" "$id" | cut -d' ' -f1 | median)
  reference=$(pairs "$out" "$id" | cut -d' ' -f2 | median)
  LC_ALL=C awk -v text="$text" -v r="$ratio" -v lo="$low" -v hi="$high" -v n="$n" -v s="$subject" \
    -v ref="$reference" -v unit="$unit" -v ending="$ending" 'BEGIN {
      if (unit == "bytes") sides = sprintf("%.1f MB and %.1f MB", s / 1048576, ref / 1048576)
      else sides = sprintf("%.1f ms and %.1f ms", s, ref)
      printf "%s: ratio %.2f (pairs %.2f-%.2f, %d run%s; medians %s); %s\n",
             text, r, lo, hi, n, n == 1 ? "" : "s", sides, ending }'
}

# figure_percentile OUTPUT ID PERCENT TARGET_MS TEXT: a percentile of the
# subject's times of figure ID.
figure_percentile() {
  local out=$1 id=$2 p=$3 target=$4 text=$5 why n value middle
  why=$(unjudged "$out" "$id")
  if [ -n "$why" ]; then echo "$text: $why; target at most $target ms: over target"; return; fi
  n=$(pairs "$out" "$id" | wc -l)
  value=$(pairs "$out" "$id" | cut -d' ' -f1 | percentile "$p")
  middle=$(pairs "$out" "$id" | cut -d' ' -f1 | median)
  LC_ALL=C awk -v text="$text" -v v="$value" -v m="$middle" -v n="$n" -v p="$p" -v t="$target" \
    -v verdict="$(verdict "$value" "$target")" 'BEGIN {
      printf "%s: %.1f ms (%dth percentile of %d; median %.1f ms); target at most %s ms: %s\n",
             text, v, p, n, m, t, verdict }'
}

# figure_growth OUTPUT FROM_ID TO_ID TARGET TEXT: how much the median pair
# ratio rises from figure FROM_ID to figure TO_ID, judged unrounded.
figure_growth() {
  local out=$1 from=$2 to=$3 target=$4 text=$5 why a b rise
  why=$(unjudged "$out" "$from")
  [ -n "$why" ] || why=$(unjudged "$out" "$to")
  if [ -n "$why" ]; then echo "$text: $why; target at most +$target: over target"; return; fi
  a=$(ratios "$out" "$from" | median)
  b=$(ratios "$out" "$to" | median)
  rise=$(LC_ALL=C awk -v a="$a" -v b="$b" 'BEGIN {printf "%.17g", b - a}')
  LC_ALL=C awk -v text="$text" -v a="$a" -v b="$b" -v rise="$rise" -v t="$target" \
    -v verdict="$(verdict "$rise" "$target")" 'BEGIN {
      printf "%s: ratio %.2f, then %.2f: %+.3f; target at most +%s: %s\n", text, a, b, rise, t, verdict }'
}

# alternate RUNS ID SUBJECT REFERENCE: runs two commands alternately (after
# a warm-up of each), each printing the milliseconds it measured, and prints
# their pairs as figure ID; only once every run has succeeded, else fails.
alternate() {
  local runs=$1 id=$2 subject=$3 reference=$4 i a b all=""
  $subject >/dev/null && $reference >/dev/null || return 1
  for i in $(seq "$runs"); do
    a=$($subject) && b=$($reference) || return 1
    all+="PAIR $id $a $b"$'\n'
  done
  printf %s "$all"
}

# The closing line: how many of the figures printed into OUTPUT held.
tally() {
  local within over
  within=$(grep -c ': within target$' "$1" || true)
  over=$(grep -c ': over target$' "$1" || true)
  echo "$within of $((within + over)) figures within target"
}
