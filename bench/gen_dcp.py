#!/usr/bin/env python3
"""Writes a Direct Credit source file of N detail lines (eleven-digit layout, code page 874)."""
import random
import sys


def account(first9):
    weights = [4, 3, 2, 7, 6, 5, 4, 3, 2]
    remainder = sum(int(d) * w for d, w in zip(first9, weights)) % 10
    return first9 + str(0 if remainder == 0 else 10 - remainder)


def main():
    path, count = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 999_999
    rng = random.Random(20301231)
    accounts = [account(f"{rng.randrange(10**9):09d}") for _ in range(5000)]
    names = [n.encode("cp874") for n in ("Somchai Example", "สมหญิง ใจดี", "Northern Supplies Part", "ประเสริฐ มั่นคง")]
    header = ("H" + "0" * 14 + "BENCHMARK TRADING CO LTD".ljust(30) + "  311299" + f"{min(count, 99999):05d}")
    with open(path, "wb") as out:
        out.write(header.encode("ascii") + b"\r\n")
        chunk = []
        for i in range(count):
            amount = f"{rng.randrange(1, 10**7):011d}".encode("ascii")
            name = names[i % len(names)]
            chunk.append(accounts[i % len(accounts)].encode("ascii") + b"0000000" + amount + name.ljust(60) + b"\r\n")
            if len(chunk) == 10000:
                out.write(b"".join(chunk))
                chunk.clear()
        out.write(b"".join(chunk))


if __name__ == "__main__":
    main()
