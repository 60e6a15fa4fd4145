#!/usr/bin/python3
"""quarrion-cli search shows one progress line per type on a terminal, and nothing in a pipe.

    progress_test.py QUARRION_CLI
"""
import os
import pty
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
ARGS = ["search", "--type", "Invoice", "--type", "Customer", "--type", "Vendor",
        "--rule", "text contains Supply", "--format", "csv"]
ESCAPE = b"\x1b["


def run(stderr_is_terminal):
    base = os.environ.get("QUARRION_TEST_TMP") or tempfile.gettempdir()
    os.makedirs(base, exist_ok=True)
    home = tempfile.mkdtemp(dir=base)
    env = dict(os.environ, QUARRION_HOME=home)
    if not stderr_is_terminal:
        done = subprocess.run([CLI] + ARGS, capture_output=True, env=env, check=False)
        return done.returncode, done.stdout, done.stderr
    master, slave = pty.openpty()
    child = subprocess.Popen([CLI] + ARGS, stdout=subprocess.PIPE, stderr=slave, env=env)
    os.close(slave)
    err = b""
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:  # the child closed its end
            break
        if not chunk:
            break
        err += chunk
    out = child.stdout.read()
    child.wait()
    os.close(master)
    return child.returncode, out, err


def main():
    code, out, err = run(stderr_is_terminal=True)
    assert code == 0, (code, err)
    for title in (b"Invoice: ", b"Customer: ", b"Vendor: "):
        assert title in err, f"no progress line for {title!r}: {err!r}"
    # Each type keeps a line of its own: with three types the block is redrawn three
    # lines up, and it is erased before the results are printed.
    assert ESCAPE + b"2F" in err, err
    assert err.rstrip(b"\r\n").endswith(ESCAPE + b"J"), err[-80:]
    assert ESCAPE not in out, "escape codes reached standard output"
    assert out.startswith(b"Date,Num,Customer"), out[:80]

    code, out_piped, err = run(stderr_is_terminal=False)
    assert code == 0, (code, err)
    assert ESCAPE not in err and b"Invoice: " not in err, f"progress written to a pipe: {err!r}"
    assert out_piped == out, "the results differ with and without a terminal"
    print("progress lines ok")


if __name__ == "__main__":
    main()
