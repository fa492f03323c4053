#!/usr/bin/env bash
# Two programs on one case store, for the figures of the store's notes (minutes, not in CI):
#  1. two taiyi-cli writers adding N cases each, all with the same name and minute: cases
#     stored, adds that failed, cases whose comment file holds another case's comment;
#  2. N adds while another taiyi-cli compacts the store over and over: acknowledged adds lost.
#   scripts/store_stress.sh [path of taiyi-cli] [N, default 500]
# Needs the sqlite3 program to fill the second store quickly.
set -euo pipefail
cli=$(realpath "${1:-build/bin/taiyi-cli}")
n=${2:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== two writers, $n adds each, same name and minute"
d=$work/same
"$cli" --data-dir "$d" case categories >/dev/null
for w in A B; do
  (for i in $(seq 1 "$n"); do
    if "$cli" --data-dir "$d" case add --name 同名 --date 1990-05-12 --time 10:00 \
        --category 家人 --comment "$w$i" >/dev/null 2>>"$work/err$w"; then echo ok; else echo no; fi
  done >"$work/out$w") &
done
wait
acked=$(cat "$work/outA" "$work/outB" | grep -c '^ok' || true)
failed=$(cat "$work/outA" "$work/outB" | grep -c '^no' || true)
stored=$("$cli" --data-dir "$d" case list | wc -l)
mixed=0
for id in $("$cli" --data-dir "$d" case list | cut -f1); do
  show=$("$cli" --data-dir "$d" case show "$id")
  remark=$(grep '^remarkText: ' <<<"$show" | cut -d' ' -f2-)
  comment=$(grep '^comment: ' <<<"$show" | cut -d' ' -f2-)
  [ "$remark" = "$comment" ] || mixed=$((mixed + 1))
done
files=$(find "$d/TaiYi_f" -type f | wc -l)
echo "adds acknowledged: $acked  failed: $failed  cases stored: $stored  comment files: $files  comments mixed up: $mixed"
sort "$work/errA" "$work/errB" | uniq -c | head -5

echo "== $n adds during repeated compaction (600 ids, every sixth deleted, to start with)"
d=$work/compact
"$cli" --data-dir "$d" case categories >/dev/null
sqlite3 "$d/dat/TaiYi.db" "with recursive k(i) as (select 1 union all select i + 1 from k where i < 600)
  insert into case_data select i, '旧' || i, 1, '家人', 1990, '5 12 10 0', '0 0', '0 0', '',
  '120.000000 30.000000 8', '旧' || i, '0', ' ', 'x' from k;
  delete from case_data where id % 6 = 0; update case_extra set primaryId = 600;"
(for i in $(seq 1 "$n"); do
  if "$cli" --data-dir "$d" case add --name "新$i" --category 家人 --comment "评$i" \
      >/dev/null 2>>"$work/errAdd"; then echo "$i"; fi
done >"$work/acked"; touch "$work/adds.done") &
compactions=0
compacted=0
while [ ! -f "$work/adds.done" ]; do
  compactions=$((compactions + 1))
  if "$cli" --data-dir "$d" case compact >/dev/null 2>>"$work/errCompact"; then
    compacted=$((compacted + 1))
  fi
done
wait
lost=0
names=$(sqlite3 "$d/dat/TaiYi.db" "select name from case_data where name like '新%';")
while read -r i; do
  grep -qx "新$i" <<<"$names" || lost=$((lost + 1))
done <"$work/acked"
echo "adds acknowledged: $(wc -l <"$work/acked")  lost: $lost  compactions run: $compactions  succeeded: $compacted"
sort "$work/errAdd" "$work/errCompact" 2>/dev/null | { grep -v 进度 || true; } | uniq -c | head -5
