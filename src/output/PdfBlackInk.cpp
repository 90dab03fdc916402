#include "output/PdfBlackInk.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace orv {

namespace {

class GreysAsBlackInk : public QPDFObjectHandle::TokenFilter {
  public:
    void handleToken(QPDFTokenizer::Token const& token) override {
        if (token.getType() != QPDFTokenizer::tt_word) {
            operands_.push_back(token);
            return;
        }
        const std::string& op = token.getValue();
        if (op == "q") {
            saved_.push_back(state_);
        } else if (op == "Q" && !saved_.empty()) {
            state_ = saved_.back();
            saved_.pop_back();
        }
        const bool stroke = op == "SCN" || op == "SC" || op == "RG" || op == "CS";
        Side& side = stroke ? state_.stroke : state_.fill;
        if (op == "cs" || op == "CS") {
            side.space = LastName();
            side.inBlackInk = false;
        } else if (op == "scn" || op == "sc" || op == "SCN" || op == "SC" || op == "rg" ||
                   op == "RG") {
            const bool rgbSpace =
                op == "rg" || op == "RG" || side.space == "/CSp" || side.space == "/DeviceRGB";
            double grey = -1;
            if (rgbSpace && Grey(grey)) {
                char text[64];
                std::snprintf(text, sizeof text, " 0 0 0 %.4g %s", 1.0 - grey, stroke ? "K" : "k");
                write(text);
                operands_.clear();
                side.inBlackInk = true;
                return;
            }
            if (side.inBlackInk && op != "rg" && op != "RG") {
                // The colour space was left for black ink; the next colour needs it back.
                write(side.space + (stroke ? " CS " : " cs "));
                side.inBlackInk = false;
            }
            if (op == "rg" || op == "RG") side.inBlackInk = false;
        }
        Flush();
        writeToken(token);
    }

    void handleEOF() override { Flush(); }

  private:
    struct Side {
        std::string space;
        bool inBlackInk = false;
    };
    struct State {
        Side fill;
        Side stroke;
    };

    std::string LastName() const {
        for (auto it = operands_.rbegin(); it != operands_.rend(); ++it) {
            if (it->getType() == QPDFTokenizer::tt_name) return it->getValue();
        }
        return {};
    }

    // Whether the operands are three equal numbers, and the grey they give.
    bool Grey(double& grey) const {
        std::vector<double> values;
        for (const auto& t : operands_) {
            if (t.getType() == QPDFTokenizer::tt_space || t.getType() == QPDFTokenizer::tt_comment)
                continue;
            if (t.getType() != QPDFTokenizer::tt_integer && t.getType() != QPDFTokenizer::tt_real)
                return false;
            values.push_back(std::strtod(t.getValue().c_str(), nullptr));
        }
        if (values.size() != 3 || values[0] != values[1] || values[1] != values[2]) return false;
        grey = values[0];
        return grey >= 0 && grey <= 1;
    }

    void Flush() {
        for (const auto& t : operands_) writeToken(t);
        operands_.clear();
    }

    std::vector<QPDFTokenizer::Token> operands_;
    State state_;
    std::vector<State> saved_;
};

}  // namespace

void DrawGreysInBlackInk(QPDFPageObjectHelper& page) {
    page.addContentTokenFilter(std::make_shared<GreysAsBlackInk>());
}

}  // namespace orv
