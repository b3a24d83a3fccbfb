# For the Python script named: one letter per character of it, saying what
# Python's own tokenizer makes of it: S a string, C a comment, O anything
# else. The script's lines end with CR LF.
import sys, tokenize
text = open(sys.argv[1], encoding="utf-8", newline="").read()
starts = [0]
for line in text.split("\r\n"):
    starts.append(starts[-1] + len(line) + 2)
marks = ["O"] * len(text)
with open(sys.argv[1], "rb") as f:
    for t in tokenize.tokenize(f.readline):
        mark = {tokenize.STRING: "S", tokenize.COMMENT: "C"}.get(t.type)
        if mark:
            for i in range(starts[t.start[0] - 1] + t.start[1], starts[t.end[0] - 1] + t.end[1]):
                marks[i] = mark
print("".join(marks))
