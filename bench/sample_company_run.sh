#!/usr/bin/env bash
# Measures `quarrion-cli sample` end to end: wall time, peak memory and file size.
# Usage: bench/sample_company_run.sh [SCALE] [BUILD_DIR]   (defaults: 50, ./build)
# Targets: at scale 50 (about 100,000 transactions) at most 10 s, and peak memory
# (maximum resident set size) at most 5 times the size of the file written.
set -euo pipefail
scale="${1:-50}"
build="${2:-$(cd "$(dirname "$0")/.." && pwd)/build}"
cli="$build/cli/quarrion-cli"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

/usr/bin/time -v "$cli" sample --out "$out/company.xml" --scale "$scale" --today 2026-11-02 \
  2>"$out/time.txt"
seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {split($2, t, ":"); print (length(t) == 3 ? t[1]*3600 + t[2]*60 + t[3] : t[1]*60 + t[2])}' "$out/time.txt")
peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$out/time.txt")
bytes=$(stat -c %s "$out/company.xml")
transactions=$(grep -cE '^      <(Invoice|CreditMemo|Estimate|SalesOrder|SalesReceipt|ReceivePayment|Charge|PurchaseOrder|Bill|BillPaymentCheck|BillPaymentCreditCard|Check|CreditCardCharge|CreditCardCredit|VendorCredit|ItemReceipt|Deposit|JournalEntry|TimeTracking)Ret>$' "$out/company.xml")

awk -v s="$seconds" -v kb="$peak_kb" -v b="$bytes" -v n="$transactions" -v scale="$scale" 'BEGIN {
  printf "quarrion-cli sample --scale %s\n", scale
  printf "  transactions      %d\n", n
  printf "  wall time         %.2f s   (target <= 10 s at scale 50)\n", s
  printf "  file size         %.1f MB\n", b / 1e6
  printf "  peak memory       %.1f MB   (%.2f x the file; target <= 5 x)\n", kb * 1024 / 1e6, kb * 1024 / b
}'
