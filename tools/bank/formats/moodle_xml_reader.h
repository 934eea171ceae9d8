#pragma once

// Reads Moodle XML quiz files:
//
//   <quiz>
//     <question type="category"><category><text>$course$/top/Routing</text></category></question>
//     <question type="multichoice">
//       <name><text>Layer 3</text></name>
//       <questiontext format="html"><text><![CDATA[<p>Which device routes?</p>
//         <img src="@@PLUGINFILE@@/router.gif">]]></text>
//         <file name="router.gif" path="/" encoding="base64">R0lGOD...</file></questiontext>
//       <generalfeedback><text>Chapter 3</text></generalfeedback>
//       <single>true</single>
//       <answer fraction="100"><text>Router</text><feedback><text>Yes</text></feedback></answer>
//       <answer fraction="0"><text>Hub</text></answer>
//       <hint><text>Think of addresses.</text></hint>
//     </question>
//   </quiz>
//
// multichoice (one answer when <single> is true, else several: every answer
// with a positive fraction is right) and truefalse questions are taken;
// HTML texts become plain text; the first picture of the question text,
// embedded as a base64 file, becomes the exhibit. The general feedback is
// the reference; hints and answer feedback make the hint. Other question
// types are skipped with the reason. Broken XML fails with the line.

#include <string>
#include <string_view>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class MoodleXmlReader {
public:
    static xbase::Result<InterchangeDocument> read(std::string_view bytes, const std::string& name);
};

}  // namespace zentrix::banktool
