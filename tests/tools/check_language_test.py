#!/usr/bin/env python3
"""The language check on small trees: each fault it exists for is reported,
and a tree without faults passes."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tools"))
import check_language  # noqa: E402

GOOD = {
    "assets/lang/en.txt": "# English\n0=English\n1=Settings\n340=Profile %1\n342=, \n",
    "assets/lang/zh.txt": "# 中文\n0=中文\n1=配置\n340=配置%1\n342=、\n",
    "tests/fixtures/used_language_entries.txt": "0-1\n",
    "src/model/text_entries.h": "inline constexpr uint16_t kProfileNumbered = 340;\n"
                                "inline constexpr uint16_t kListComma = 342;\n",
    "tools/language_allow.txt": "src/app/help.cpp | * | terminal help\n",
    "src/app/page.cpp": 'auto a = Text(340);  // "Profile 1" in a comment is fine\n'
                        'auto b = QStringLiteral("skins/exit_nr.png");\n'
                        'auto c = QString("%1 %2").arg(x, y);\n'
                        '// EnglishText(why) and read.Problem in a comment are fine\n'
                        'Say(bus.Problem() + "EnglishText(x)");\n',
    "src/app/help.cpp": 'std::cout << "Usage: velmaro [OPTIONS]";\n',
}


class LanguageCheck(unittest.TestCase):
    def run_on(self, changes):
        with tempfile.TemporaryDirectory() as root:
            for path, text in {**GOOD, **changes}.items():
                if text is None:
                    continue
                full = os.path.join(root, path)
                os.makedirs(os.path.dirname(full), exist_ok=True)
                with open(full, "w", encoding="utf-8") as f:
                    f.write(text)
            return check_language.check_languages(root) + check_language.check_sources(root)

    def test_a_clean_tree_passes(self):
        self.assertEqual(self.run_on({}), [])

    def test_faults_are_named(self):
        cases = [
            ("a used entry missing in a translation",
             {"assets/lang/zh.txt": "0=中文\n1=配置\n342=、\n"},
             "assets/lang/zh.txt: entry 340 is used by the program but missing"),
            ("an entry of the design's range missing everywhere",
             {"tests/fixtures/used_language_entries.txt": "0-2\n"},
             "assets/lang/en.txt: entry 2 is used by the program but missing"),
            ("a placeholder lost in translation",
             {"assets/lang/zh.txt": "0=中文\n1=配置\n340=配置\n342=、\n"},
             "assets/lang/zh.txt: entry 340 has placeholders [], English has ['%1']"),
            ("an entry English lacks",
             {"assets/lang/zh.txt": GOOD["assets/lang/zh.txt"] + "399=多余\n"},
             "assets/lang/zh.txt: entry 399 is not in en.txt"),
            ("an English sentence for a control",
             {"src/ui/box.cpp": 'Warn(QString("Could not import %1: %2.").arg(a, b));\n'},
             'src/ui/box.cpp:1: English text for a control: "Could not import %1: %2."'),
            ("a core reason worded in English for the window",
             {"src/app/notice.cpp": 'Show(QString::fromStdString(EnglishText(why)));\n'},
             'src/app/notice.cpp:1: the core\'s English-only text "EnglishText("'),
            ("the core's English sentence beside its reason",
             {"src/app/notice.cpp": '// the reason\nShow(QString::fromStdString(read.Problem));\n'},
             'src/app/notice.cpp:2: the core\'s English-only text ".Problem"'),
            ("a sentence split over joined literals",
             {"src/app/macro/x.cpp": 'Tell("The file is cut "\n     "short.");\n'},
             'src/app/macro/x.cpp:1: English text for a control: "The file is cut short."'),
        ]
        for name, changes, expected in cases:
            with self.subTest(name):
                faults = self.run_on(changes)
                self.assertTrue(any(f.startswith(expected) for f in faults), faults)

    def test_the_allow_list_needs_a_reason(self):
        with self.assertRaises(SystemExit):
            self.run_on({"tools/language_allow.txt": "src/app/help.cpp | *\n"})


if __name__ == "__main__":
    unittest.main()
