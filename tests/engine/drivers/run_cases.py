# Runs each script of the file "cases" (ended by 0x1D each), then prints
# 0x1D. Standard output is ASCII before each script, which must make it
# print UTF-8 itself.
import sys
for script in open("cases", "rb").read().split(b"\x1D")[:-1]:
    sys.stdout.reconfigure(encoding="ascii")
    try: exec(compile(script, "script", "exec"), {})
    except Exception as e: sys.stdout.write(ascii(e))
    sys.stdout.write("\x1D")
