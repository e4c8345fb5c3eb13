#!/usr/bin/env python3
"""Writes a Media Clearing source file (code page 874, CR LF) for the benchmark.

Usage: gen_mcl.py OUTPUT [--lines N] [--date DDMMYYYY] [--seed S]

The detail lines name a few hundred distinct bank and branch codes, some of them unknown to the
delivered tables, and about one in a hundred is rejected for a zero amount or a bad account.
"""

import argparse
import datetime
import random

WEIGHTS = [4, 3, 2, 7, 6, 5, 4, 3, 2]


def own_account(nine):
    r = sum(int(d) * w for d, w in zip(nine, WEIGHTS)) % 10
    return nine + str(0 if r == 0 else 10 - r)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--lines", type=int, default=999_999)
    later = datetime.date.today() + datetime.timedelta(days=2)
    parser.add_argument("--date", default=later.strftime("%d%m%Y"))
    parser.add_argument("--seed", type=int, default=874)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    banks = ["014", "004", "006", "011", "025"] + [f"{n:03d}" for n in range(30, 50)]
    codes = [(bank, f"{rng.randrange(1, 9999):04d}") for bank in banks for _ in range(16)]
    debit = own_account("123456789")
    names = ["นายสมชาย ใจดี".encode("cp874"), "นางสาวมาลี รักไทย".encode("cp874"), b"JOHN SMITH", b"ACME SUPPLY CO"]
    services = [b"01", b"02", b"03", b"04", b"59", b"08"]

    header = b" " * 30 + args.date.encode() + b"  " + f"{args.lines:06d}".encode()[-6:] + b" " * 6
    header += b"Bench Trading Co.,Ltd.".ljust(30) + b"\r\n"
    filler = b" " * 120
    with open(args.output, "wb", buffering=1 << 20) as out:
        out.write(header)
        for n in range(args.lines):
            bank, branch = rng.choice(codes)
            if bank == "014":
                credit = "0" + own_account(f"{rng.randrange(10**9):09d}")
            else:
                credit = f"{rng.randrange(10**10, 10**11):011d}"
            amount = f"{rng.randrange(1, 10**8):012d}"
            roll = rng.random()
            if roll < 0.005:
                amount = "000000000000"
            elif roll < 0.01:
                credit = "00000000000" if bank != "014" else "01234567890"
            payee = f"{n:010d}" if n % 3 else "0000000000"
            line = (b"D" + f"{n:08d}".encode() + bank.encode() + branch.encode() + credit.encode() + b"   0123 "
                    + debit.encode() + b" " * 8 + services[n % len(services)] + b"  " + amount.encode() + filler
                    + payee.encode() + names[n % len(names)].ljust(23) + b"\r\n")
            out.write(line)


if __name__ == "__main__":
    main()
