#include "html/modern_assets.h"

namespace quorella::html {

namespace {

// Light colours meet WCAG AA (4.5:1 for text) on both the page and the card background; so do the
// dark ones.
constexpr std::string_view kPalettes =
    ":root{color-scheme:light dark;--bg:#fff;--fg:#1f2328;--muted:#57606a;--line:#d0d7de;"
    "--card:#f6f8fa;--link:#0a58ca;--visited:#6e40c9;--active:#b3261e;--qbg:#fff;--qfg:#1f2328;"
    "--focus:#0a58ca}\n"
    "@media (prefers-color-scheme:dark){:root{--bg:#0f1419;--fg:#e6edf3;--muted:#9ba7b4;"
    "--line:#3a434e;--card:#171d24;--link:#7cb8ff;--visited:#c8a8ff;--active:#ff9a8f;"
    "--qbg:#151b22;--qfg:#e6edf3;--focus:#7cb8ff}}\n";

// Questions are blocks, not list items: hiding a list item renumbers every item after it, which
// made a search over 10,000 questions take seconds.
constexpr std::string_view kStyle = R"CSS(*,::before,::after{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;background-color:var(--bg);color:var(--fg);font-family:var(--font);font-size:var(--size);line-height:1.6;overflow-wrap:break-word}
a{color:var(--link);text-underline-offset:.15em}a:visited{color:var(--visited)}a:active{color:var(--active)}
:focus-visible{outline:3px solid var(--focus);outline-offset:2px;border-radius:4px}
.qr-page{max-width:50rem;margin:0 auto;padding:1rem 1.25rem 2.5rem}
.qr-header h1{font-size:clamp(1.7rem,1.3rem + 2vw,2.4rem);line-height:1.2;margin:1.25rem 0 .5rem;letter-spacing:-.01em}
.qr-intro{color:var(--muted);margin:0 0 1rem}
.qr-tools{position:sticky;top:0;z-index:1;display:flex;flex-wrap:wrap;gap:.5rem;align-items:center;padding:.6rem 0;margin-bottom:.5rem;background-color:var(--bg)}
[hidden]{display:none!important}
.qr-search{flex:1 1 14rem;min-width:0;font:inherit;padding:.55rem .8rem;border:1px solid var(--muted);border-radius:.6rem;background-color:var(--bg);color:var(--fg)}
.qr-tools button,.qr-nav a{font:inherit;font-size:.92rem;padding:.5rem .85rem;border:1px solid var(--line);border-radius:.6rem;background-color:var(--card);color:var(--fg);cursor:pointer;text-decoration:none}
.qr-tools button:hover,.qr-nav a:hover{border-color:var(--muted)}
.qr-count{flex-basis:100%;margin:0;min-height:1.5em;color:var(--muted);font-size:.92rem}
.qr-list{margin:0;padding:0;list-style:none}
.qr-qa,.qr-item{display:block;border:1px solid var(--line);border-radius:.75rem;margin:0 0 .6rem;background-color:var(--qbg)}
.qr-block{content-visibility:auto;contain-intrinsic-size:0 80rem}
.qr-q{display:flex;align-items:flex-start;margin:0;font-size:1.08rem;line-height:1.45;color:var(--qfg)}
.qr-qt,.qr-toggle{flex:1;display:flex;gap:1rem;justify-content:space-between;align-items:flex-start;padding:.85rem 1rem}
.qr-toggle{font:inherit;color:inherit;text-align:start;background:none;border:0;margin:0;cursor:pointer;border-radius:.75rem}
.qr-toggle::after{content:"";flex:none;width:.55em;height:.55em;margin-top:.4em;border:solid var(--muted);border-width:0 2px 2px 0;transform:rotate(45deg)}
.qr-toggle[aria-expanded=true]::after{transform:rotate(-135deg);margin-top:.6em}
.qr-toggle:hover{background-color:var(--card)}
.qr-link{flex:none;padding:.85rem 1rem .85rem .25rem;color:var(--muted);text-decoration:none;font-weight:400}
.qr-link:visited{color:var(--muted)}
.qr-a{padding:0 1rem 1rem}
@media (scripting:none){.qr-tools{display:none}.qr-qa{content-visibility:auto;contain-intrinsic-size:auto 8rem}}
@media (scripting:enabled){.qr-qa>.qr-a:not(.qr-open){display:none}.qr-qt::after{content:"";flex:none;width:.55em}}
.qr-a>:first-child{margin-top:0}.qr-a>:last-child{margin-bottom:0}
.qr-a img,.qr-a video{max-width:100%;height:auto}
.qr-a pre{white-space:pre-wrap;font-size:.92em}
.qr-a table{display:block;max-width:100%;overflow-x:auto}
.qr-item a{display:block;padding:.85rem 1rem;font-weight:600;text-decoration:none;color:var(--qfg)}
.qr-item a:hover{text-decoration:underline}
.qr-answer h1{display:flex;align-items:flex-start;font-size:clamp(1.4rem,1.2rem + 1vw,1.9rem);line-height:1.25;margin:1.25rem 0 1rem}
.qr-answer h1 span{flex:1}.qr-answer .qr-a{padding:0}
.qr-nav{display:flex;flex-wrap:wrap;gap:.5rem;margin:2rem 0 0}
.qr-footer{margin-top:2.5rem;padding-top:1rem;border-top:1px solid var(--line);color:var(--muted);font-size:.92rem}
.qr-sr{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
@media (max-width:36rem){.qr-search{flex-basis:100%}.qr-page{padding:.5rem 1rem 2rem}}
@media (min-width:100rem){html{font-size:112.5%}}
@media (prefers-reduced-motion:no-preference){.qr-toggle::after{transition:transform .15s}html{scroll-behavior:smooth}}
@media print{.qr-tools,.qr-link,.qr-nav,.qr-toggle::after{display:none}.qr-qa>.qr-a{display:block!important}.qr-qa{break-inside:avoid;border:0}.qr-block{content-visibility:visible}body{font-size:11pt}}
)CSS";

// The script gathers the questions into blocks of 20 that the browser styles and lays out only near
// the window (content-visibility), so a keystroke that hides or shows thousands of answers costs
// about one screenful. A block's placeholder height counts its shown questions, which keeps the
// scroll bar true while searching.
constexpr std::string_view kScript = R"JS("use strict";(()=>{
const d=document,$=i=>d.getElementById(i),fold=s=>s.normalize("NFD").replace(/[\u0300-\u036f]/g,"").toLowerCase();
const items=[...d.querySelectorAll(".qr-qa,.qr-item")],toggles=[],search=$("qr-search"),count=$("qr-count"),none=$("qr-none");
const size=(k,c)=>{if(k.n===c)return;k.n=c;k.hidden=!c;if(c)k.style.containIntrinsicSize="0 "+c*4+"rem"};
const open=(b,o)=>{b.setAttribute("aria-expanded",o);const p=$(b.getAttribute("aria-controls"));p.hidden=!o;p.classList.toggle("qr-open",o)};
items.forEach((it,i)=>{const p=it.querySelector(".qr-a"),t=it.querySelector(".qr-qt");if(!p||!t)return;
const b=d.createElement("button");b.type="button";b.className="qr-toggle";b.id="qr-b"+i;p.id="qr-p"+i;
b.setAttribute("aria-controls",p.id);b.append(...t.childNodes);t.replaceWith(b);open(b,false);toggles.push(b)});
const K=20,blocks=[];if(items[0]?.classList.contains("qr-qa"))for(let i=0;i<items.length;i+=K){const k=d.createElement("div");k.className="qr-block";k.n=K;
items[i].before(k);k.append(...items.slice(i,i+K));blocks.push(k);size(k,Math.min(K,items.length-i))}
let texts;const words=()=>fold(search.value).split(/\s+/).filter(Boolean);
const label=n=>n+(n===1?" question":" questions");
const prepare=()=>{if(!texts){const extra=window.quorellaSearchText||[];texts=items.map((it,i)=>fold(it.textContent+" "+(extra[i]||"")))}};
const filter=()=>{prepare();const w=words(),per=blocks.map(()=>0);let n=0;
items.forEach((it,i)=>{const hit=w.every(x=>texts[i].includes(x));n+=hit;if(hit&&blocks.length)per[i/K|0]++;if(it.hidden===hit)it.hidden=!hit});
blocks.forEach((k,j)=>size(k,per[j]));
count.textContent=w.length?n+" of "+label(items.length)+" match":label(items.length);none.hidden=n>0};
const visible=()=>toggles.filter(b=>!b.closest(".qr-qa").hidden);
d.addEventListener("click",e=>{const b=e.target.closest(".qr-toggle");if(b)open(b,b.getAttribute("aria-expanded")!=="true");
if(e.target.id==="qr-expand"||e.target.id==="qr-collapse")visible().forEach(b=>open(b,e.target.id==="qr-expand"))});
d.addEventListener("keydown",e=>{const t=e.target;
if(e.key==="/"&&search&&!/^(INPUT|TEXTAREA|SELECT)$/.test(t.tagName)&&!t.isContentEditable){e.preventDefault();search.focus();return}
if(t===search&&e.key==="Escape"){search.value="";filter();return}
if(!t.classList.contains("qr-toggle"))return;const v=visible(),i=v.indexOf(t),n=v.length;
const next={ArrowDown:v[(i+1)%n],ArrowUp:v[(i+n-1)%n],Home:v[0],End:v[n-1]}[e.key];if(next){e.preventDefault();next.focus()}});
if(search){search.addEventListener("focus",prepare);search.addEventListener("input",filter);count.textContent=label(items.length)}
const hash=()=>{let id;try{id=decodeURIComponent(location.hash.slice(1))}catch{return}const it=id&&$(id);if(!it)return;
if(it.classList.contains("qr-item")){location.replace(it.querySelector("a").href);return}
const b=it.querySelector(".qr-toggle");if(!b)return;if(it.hidden){search.value="";filter()}open(b,true);it.scrollIntoView();b.focus({preventScroll:true})};
addEventListener("hashchange",hash);hash()})();
)JS";

// A value typed for a font or an image goes into the style sheet: characters that could end the
// declaration or the sheet are left out.
std::string CssSafe(std::string_view text) {
  std::string out;
  for (const char c : text)
    if (std::string_view(";{}<>\\\"\r\n").find(c) == std::string_view::npos) out += c;
  return out;
}

}  // namespace

std::string ModernStyleSheet(const FaqValues& values, const SystemColours& system) {
  std::string sheet;
  if (values.Boolean(FaqValue::UseMyColors)) {
    auto colour = [&](FaqValue value) { return ColourText(values.Integer(value), system); };
    sheet += ":root{--bg:" + colour(FaqValue::AnswerPageColor) +
             ";--fg:" + colour(FaqValue::AnswerTextColor) +
             ";--muted:" + colour(FaqValue::AnswerTextColor) +
             // Borders from the text colour: the question background may be the page's own.
             ";--line:color-mix(in srgb," + colour(FaqValue::AnswerTextColor) +
             " 30%,transparent)" + ";--card:" + colour(FaqValue::AQuestionBackColor) +
             ";--link:" + colour(FaqValue::AnswerLinkColor) +
             ";--visited:" + colour(FaqValue::AnswerVisitedLinkColor) +
             ";--active:" + colour(FaqValue::AnswerActiveLinkColor) +
             ";--qbg:" + colour(FaqValue::AQuestionBackColor) +
             ";--qfg:" + colour(FaqValue::AQuestionTextColor) +
             ";--focus:" + colour(FaqValue::AnswerLinkColor) + "}\n";
    const std::string image = CssSafe(values.Text(FaqValue::AnswerBackImage));
    if (!image.empty()) sheet += "body{background-image:url(\"" + image + "\")}\n";
  } else {
    sheet += kPalettes;
  }
  const std::string font = CssSafe(values.Text(FaqValue::FontName));
  const std::int32_t size = values.Integer(FaqValue::FontSize);
  // A size below the reader's own text size is raised to it: small print is no good on a phone.
  sheet += ":root{--font:" + (font.empty() ? std::string() : font + ",") +
           "system-ui,-apple-system,\"Segoe UI\",Roboto,\"Noto Sans\",Ubuntu,sans-serif;--size:" +
           (size > 0 ? "max(1rem," + std::to_string(size) + "px)" : std::string("1rem")) + "}\n";
  sheet += kStyle;
  return sheet;
}

std::string_view ModernScript() {
  return kScript;
}

std::string_view ModernIcon() {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 32 32\">"
         "<rect width=\"32\" height=\"32\" rx=\"7\" fill=\"#0a58ca\"/>"
         "<path d=\"M11.5 12.5a4.5 4.5 0 1 1 6.3 4.1c-1.1.5-1.8 1.3-1.8 2.4v1\" fill=\"none\" "
         "stroke=\"#fff\" stroke-width=\"3\" stroke-linecap=\"round\"/>"
         "<circle cx=\"16\" cy=\"24.5\" r=\"1.9\" fill=\"#fff\"/></svg>\n";
}

}  // namespace quorella::html
