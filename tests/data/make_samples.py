#!/usr/bin/env python3
"""Writes the plain texts of the sample result files (cp1251, CR LF) and,
given the command-line companion, their encrypted forms in Data/.

    python3 tests/data/make_samples.py build/bin/tavo12f-cli
"""
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
DATA = HERE.parent.parent / "Data"


def answers(total, seed):
    """Twelve answers 0..9 that add up to total, spread unevenly but repeatably."""
    assert 0 <= total <= 108
    values = [total // 12] * 12
    for i in range(total % 12):
        values[(i * 5 + seed) % 12] += 1
    # Move points between answers so the lines do not all look alike.
    for i in range(12):
        a, b = (i * 7 + seed) % 12, (i * 3 + seed + 1) % 12
        if a != b and values[a] < 9 and values[b] > 0 and (i + seed) % 3:
            values[a] += 1
            values[b] -= 1
    assert sum(values) == total and all(0 <= v <= 9 for v in values)
    return "".join("%3d" % v for v in values)


def result_text(header, ideal, real):
    lines = [""] * 37
    for n, text in header.items():
        lines[n] = text
    lines[9] = header.get(9, "")
    for k in range(12):
        lines[10 + k] = answers(ideal[k], k)
        lines[25 + k] = answers(real[k], k + 5)
    return "".join(line + "\r\n" for line in lines)


SAMPLES = {
    "ivanova.cry": result_text(
        {
            0: "Кадровый центр Перспектива, тест ТАВО.12F",
            1: "Иванова Анна Сергеевна",
            2: "менеджер по продажам, 14.03.2024",
            3: "пол: ж, возраст: 34",
            4: "14.03.2024 10:05:12",
            6: "завершена, 00:18:41",
            8: "Часть 1",
            23: "завершена, 00:16:03",
            24: "Часть 2",
        },
        ideal=[78, 61, 44, 52, 57, 70, 66, 39, 48, 73, 81, 69],
        real=[52, 64, 40, 61, 63, 47, 58, 30, 35, 55, 49, 71],
    ),
    "smith.cry": result_text(
        {
            0: "Northwind Careers, TAVO.12F",
            1: "Smith John",
            2: "software engineer, 2024-05-21",
            3: "male, 41",
            4: "21.05.2024 09:30:00",
            6: "completed, 00:21:07",
            8: "Section 1",
            23: "completed, 00:19:55",
            24: "Section 2",
        },
        ideal=[55, 48, 36, 41, 50, 59, 88, 45, 67, 92, 84, 63],
        real=[60, 53, 28, 44, 47, 40, 71, 38, 72, 80, 62, 58],
    ),
    # Extremes: very low and nearly full totals, and several factors with no
    # difference at all.
    "petrov.cry": result_text(
        {
            0: "Учебный центр, ТАВО.12F",
            1: "Петров Пётр Ильич",
            2: "водитель, 02.10.2023",
            4: "02.10.2023 15:47:30",
            6: "завершена, 00:09:12",
            23: "прервана, 00:04:58",
        },
        ideal=[99, 3, 97, 10, 0, 55, 99, 12, 88, 5, 96, 40],
        real=[99, 2, 97, 35, 0, 55, 10, 12, 99, 5, 20, 40],
    ),
    # Result files may also carry the .txt extension; they are encrypted alike.
    "kuznetsova.txt": result_text(
        {
            0: "Кадровый центр Перспектива, тест ТАВО.12F",
            1: "Кузнецова Мария Олеговна",
            2: "бухгалтер, 15.03.2024",
            4: "15.03.2024 11:20:45",
            6: "завершена, 00:15:10",
            23: "завершена, 00:14:22",
        },
        ideal=[70, 75, 62, 35, 66, 45, 40, 22, 30, 38, 58, 60],
        real=[58, 72, 66, 33, 70, 41, 37, 25, 24, 30, 44, 57],
    ),
}


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else None
    for name, text in SAMPLES.items():
        plain = HERE / (pathlib.Path(name).stem + ".txt")
        plain.write_bytes(text.encode("cp1251"))
        if cli:
            hex_text = subprocess.run([cli, "encrypt", str(plain)], check=True, capture_output=True).stdout
            (DATA / name).write_bytes(hex_text)


if __name__ == "__main__":
    main()
