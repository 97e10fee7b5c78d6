#!/usr/bin/env python3
"""Writes a reproducible mail profile for the backup benchmark.

gen-profile.py DIR MIB FILES [SEED]

DIR receives a profile of about MIB MiB: a few large mbox files and about
FILES small files in nested folders (folder summaries, json, small mail
folders, single messages, cache entries). The text is drawn from a
synthetic vocabulary with a skewed word frequency, and some messages carry
base64 attachments of random bytes, so the result compresses roughly like
real mail rather than like one repeated line. The same seed and Python
version give the same bytes.
"""

import base64
import os
import random
import sys

CRLF = "\r\n"
DAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep",
          "Oct", "Nov", "Dec"]
COMMON = ["the", "and", "to", "of", "a", "in", "is", "for", "that", "we",
          "on", "with", "it", "be", "as", "this", "you", "are", "at", "will",
          "have", "not", "by", "from", "or", "can", "please", "our", "if"]


class Text:
    """Words, phrases and people that every generated message draws from."""

    def __init__(self, rng):
        self.rng = rng
        syllables = [c + v for c in "bcdfghjklmnprstvwz" for v in "aeiou"]
        syllables += [c + v + e for c in "bdklmnrst" for v in "aeiou"
                      for e in "nrst"]
        words = list(COMMON)
        seen = set(words)
        while len(words) < 8000:
            w = "".join(rng.choice(syllables)
                        for _ in range(rng.choice([1, 2, 2, 3, 3, 4])))
            if w not in seen:
                seen.add(w)
                words.append(w)
        self.words = words
        weights = [1.0 / (rank + 1) ** 1.05 for rank in range(len(words))]
        total = 0.0
        self.cum = []
        for w in weights:
            total += w
            self.cum.append(total)
        # Short phrases recur across messages the way common word groups do
        # in real correspondence; the pool is large so that whole sentences
        # rarely repeat.
        flat = rng.choices(words, cum_weights=self.cum, k=5_000_000)
        self.phrases = []
        i = 0
        while i + 4 <= len(flat):
            n = rng.choice([1, 2, 2, 3, 3, 4])
            self.phrases.append(" ".join(flat[i:i + n]))
            i += n
        first = [w.capitalize() for w in rng.sample(words[100:3000], 200)]
        last = [w.capitalize() for w in rng.sample(words[100:3000], 300)]
        self.domains = [rng.choice(words[200:4000]) + "." +
                        rng.choice(["com", "org", "net", "de", "fr", "io"])
                        for _ in range(60)]
        self.people = []
        for _ in range(400):
            f, l = rng.choice(first), rng.choice(last)
            addr = f.lower() + "." + l.lower() + "@" + rng.choice(self.domains)
            self.people.append((f + " " + l, addr))

    def sentence(self):
        parts = self.rng.choices(self.phrases, k=self.rng.randint(2, 6))
        s = " ".join(parts)
        if self.rng.random() < 0.15:
            s += ", " + " ".join(self.rng.choices(self.phrases, k=2))
        return s[:1].upper() + s[1:] + self.rng.choice(
            [".", ".", ".", "?", "!"])

    def subject(self):
        s = " ".join(self.rng.choices(self.phrases, k=self.rng.randint(1, 3)))
        return self.rng.choice(["", "", "Re: ", "Fwd: ", "Re: Re: "]) + \
            s[:1].upper() + s[1:]

    def paragraph_lines(self, sentences):
        text = " ".join(self.sentence() for _ in range(sentences))
        lines, line = [], []
        width = 0
        for word in text.split(" "):
            if width + len(word) > 72 and line:
                lines.append(" ".join(line))
                line, width = [], 0
            line.append(word)
            width += len(word) + 1
        if line:
            lines.append(" ".join(line))
        return lines


class Mailer:
    """Builds mbox messages with the headers a mail client stores."""

    def __init__(self, rng, text):
        self.rng = rng
        self.text = text
        self.time = 1577836800  # 2020-01-01, advanced per message
        self.owner = text.people[0]

    def date(self):
        self.time += self.rng.randint(60, 7200)
        t = self.time
        days = t // 86400
        sec = t % 86400
        # Civil date from days since 1970-01-01.
        z = days + 719468
        era = z // 146097
        doe = z - era * 146097
        yoe = (doe - doe // 1460 + doe // 36524 - doe // 146096) // 365
        doy = doe - (365 * yoe + yoe // 4 - yoe // 100)
        mp = (5 * doy + 2) // 153
        d = doy - (153 * mp + 2) // 5 + 1
        m = mp + 3 if mp < 10 else mp - 9
        y = yoe + era * 400 + (1 if m <= 2 else 0)
        wd = DAYS[(days + 3) % 7]
        hms = "%02d:%02d:%02d" % (sec // 3600, sec // 60 % 60, sec % 60)
        return ("%s %s %2d %s %d" % (wd, MONTHS[m - 1], d, hms, y),
                "%s, %02d %s %d %s +0100" % (wd, d, MONTHS[m - 1], y, hms))

    def b64(self, n, width=76):
        data = base64.b64encode(self.rng.randbytes(n)).decode()
        return [data[i:i + width] for i in range(0, len(data), width)]

    def message(self, attach_chance=0.0, big=True):
        rng, text = self.rng, self.text
        mbox_date, date = self.date()
        sender = rng.choice(text.people)
        to = self.owner if rng.random() < 0.7 else rng.choice(text.people)
        msgid = "%016x.%s" % (rng.getrandbits(64), rng.choice(text.domains))
        h = [
            "From - " + mbox_date,
            "X-Mozilla-Status: %04x" % rng.choice([1, 1, 3, 5, 0x11]),
            "X-Mozilla-Status2: 00000000",
            "X-Mozilla-Keys: " + " " * 80,
            "Return-Path: <%s>" % sender[1],
            "Delivered-To: " + to[1],
            "Received: from mx%d.%s (mx%d.%s [203.0.113.%d])" % (
                rng.randint(1, 9), sender[1].split("@")[1], rng.randint(1, 9),
                sender[1].split("@")[1], rng.randint(1, 254)),
            "\tby imap.example.org with ESMTPS id %012X" % rng.getrandbits(48),
            "\tfor <%s>; %s" % (to[1], date),
        ]
        if big:
            h.append("DKIM-Signature: v=1; a=rsa-sha256; c=relaxed/relaxed; "
                     "d=%s; s=mail;" % sender[1].split("@")[1])
            h.append("\th=From:To:Subject:Date:Message-ID; bh=%s;" %
                     base64.b64encode(rng.randbytes(32)).decode())
            h += ["\t" + line for line in self.b64(256, 70)]
        h += [
            "Message-ID: <%s>" % msgid,
            "Date: " + date,
            "From: %s <%s>" % sender,
            "To: %s <%s>" % to,
            "Subject: " + text.subject(),
            "MIME-Version: 1.0",
        ]
        body = []
        for _ in range(rng.randint(1, 5 if big else 3)):
            body += text.paragraph_lines(rng.randint(1, 6))
            body.append("")
        if rng.random() < 0.4:
            body.append("On %s, %s wrote:" % (date, rng.choice(text.people)[0]))
            for _ in range(rng.randint(1, 3)):
                body += ["> " + l for l in text.paragraph_lines(
                    rng.randint(1, 4))]
        body += ["", "-- ", sender[0], "Phone +49 30 %07d" %
                 rng.randint(0, 9999999), ""]
        if rng.random() < attach_chance:
            boundary = "------------%024d" % rng.getrandbits(64)
            size = int(min(3_000_000, rng.lognormvariate(11.0, 1.1)))
            name = rng.choice(text.words[50:3000]) + rng.choice(
                [".pdf", ".jpg", ".png", ".zip", ".docx"])
            h.append('Content-Type: multipart/mixed; boundary="%s"' % boundary)
            lines = h + ["", "This is a multi-part message in MIME format.",
                         "--" + boundary,
                         "Content-Type: text/plain; charset=UTF-8; "
                         "format=flowed",
                         "Content-Transfer-Encoding: 8bit", ""] + body + [
                "--" + boundary,
                'Content-Type: application/octet-stream; name="%s"' % name,
                'Content-Disposition: attachment; filename="%s"' % name,
                "Content-Transfer-Encoding: base64", ""] + self.b64(size) + [
                "", "--" + boundary + "--", ""]
        else:
            lines = h + ["Content-Type: text/plain; charset=UTF-8; "
                         "format=flowed",
                         "Content-Transfer-Encoding: 8bit", ""] + body
        return CRLF.join(lines) + CRLF


class Writer:
    """Writes the files and keeps the byte and file counts."""

    def __init__(self, root):
        self.root = root
        self.bytes = 0
        self.files = 0

    def write(self, rel, data):
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if isinstance(data, str):
            data = data.encode()
        with open(path, "wb") as f:
            f.write(data)
        self.bytes += len(data)
        self.files += 1


def summary(rng, text, rows):
    """A folder summary in the shape of a Mork table."""
    out = ['// <!-- <mdb:mork:z v="1.4"/> -->',
           "< <(a=c)> // (f=iso-8859-1)",
           "  (B8=threadParent)(B9=threadId)(BA=msgThreadId)(BB=date)"
           "(BC=size)(BD=flags)(BE=priority)(BF=label)(C0=statusOfset)>",
           "<(80=0)(81=%x)>" % rng.getrandbits(32),
           "{1:^80 {(k^BF:c)(s=9)}"]
    for i in range(rows):
        out.append("  [%X(^81=%x)(^82=%s)(^83=%016x)(^84=%s)(^85=%x)(^86=%x)]"
                   % (i + 1, rng.getrandbits(31), text.subject(),
                      rng.getrandbits(64), rng.choice(text.people)[1],
                      rng.randint(0, 0xFFFF), rng.randint(500, 90000)))
    out.append("}")
    return "\n".join(out) + "\n"


def json_blob(rng, text, keys):
    items = []
    for _ in range(keys):
        k = rng.choice(text.words[:2000]) + "." + rng.choice(text.words[:2000])
        v = rng.choice([str(rng.randint(0, 10**9)), "true", "false",
                        '"%s"' % text.subject().replace('"', "")])
        items.append('  "%s": %s' % (k, v))
    return "{\n" + ",\n".join(items) + "\n}\n"


def folder_names(rng, text, count):
    names = set()
    while len(names) < count:
        names.add(rng.choice(text.words[30:3000]).capitalize() +
                  rng.choice(["", "", " " + str(rng.randint(2010, 2025))]))
    return sorted(names)


def small_files(rng, text, mailer, w, prof, count):
    folders = max(1, count * 2 // 10 // 2)  # mbox + summary pairs
    singles = count * 3 // 10
    cache = count * 4 // 10
    configs = count - 2 * folders - singles - cache
    names = folder_names(rng, text, 300)
    paths = []
    for i in range(folders):
        parts = ["INBOX"]
        for _ in range(rng.choice([0, 1, 1, 2, 2, 3])):
            parts.append(rng.choice(names))
        parts.append("%s %d" % (rng.choice(names), i))
        paths.append("/".join(p + ".sbd" for p in parts[:-1]) + "/" + parts[-1])
    for i, p in enumerate(paths):
        base = prof + "/ImapMail/imap.example.org/" + p
        n = rng.randint(1, 8)
        w.write(base, "".join(mailer.message(0.0, big=False) for _ in range(n)))
        w.write(base + ".msf", summary(rng, text, n * 3))
    for i in range(singles):
        w.write(prof + "/Mail/Local Folders/Drafts/cur/%d.%08x.eml" % (
            1600000000 + i, rng.getrandbits(32)),
            mailer.message(0.0, big=rng.random() < 0.5))
    for i in range(cache):
        size = rng.randint(300, 12000)
        meta = "\x00\x00\x00\x01:https://%s/%s\x00" % (
            rng.choice(text.domains), "/".join(rng.choices(text.words, k=3)))
        w.write(prof + "/cache2/entries/%040X" % rng.getrandbits(160),
                rng.randbytes(size) + meta.encode())
    for i in range(configs):
        sub = rng.choice(["storage/default/moz-extension+++%08x/ls" %
                          rng.getrandbits(32), "extensions/store",
                          "datareporting/archived/2024-%02d" %
                          rng.randint(1, 12), "sessionstore-backups"])
        w.write("%s/%s/%s-%d.json" % (prof, sub, rng.choice(text.words[:500]),
                                      i), json_blob(rng, text,
                                                   rng.randint(4, 120)))


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    root, mib, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) == 5 else 20250301)
    text = Text(rng)
    mailer = Mailer(rng, text)
    w = Writer(root)
    prof = "Profiles/k3v9a2qd.default-release"
    w.write("profiles.ini", "[Profile0]\r\nName=default-release\r\n"
            "IsRelative=1\r\nPath=%s\r\nDefault=1\r\n\r\n[General]\r\n"
            "StartWithLastProfile=1\r\nVersion=2\r\n" % prof)
    w.write("installs.ini", "[308046B0AF4A39CB]\r\nDefault=%s\r\n"
            "Locked=1\r\n" % prof)
    w.write(prof + "/prefs.js", "".join(
        'user_pref("mail.%s.%s", %d);\n' % (a, b, rng.randint(0, 10**6))
        for a, b in zip(rng.choices(text.words[:800], k=600),
                        rng.choices(text.words[:800], k=600))))
    small_files(rng, text, mailer, w, prof, max(10, count - 3))
    big = [(prof + "/Mail/Local Folders/Inbox", 0.30),
           (prof + "/Mail/Local Folders/Archives", 0.20),
           (prof + "/Mail/Local Folders/Sent", 0.10),
           (prof + "/ImapMail/imap.example.org/INBOX", 0.25),
           (prof + "/ImapMail/imap.example.org/Archives", 0.15)]
    left = max(0, mib * 1024 * 1024 - w.bytes)
    for rel, share in big:
        target = int(left * share)
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        done = 0
        with open(path, "wb", buffering=1 << 20) as f:
            while done < target:
                data = mailer.message(0.02).encode()
                f.write(data)
                done += len(data)
        w.bytes += done
        w.files += 1
    print("%d files, %d bytes" % (w.files, w.bytes))


if __name__ == "__main__":
    main()
