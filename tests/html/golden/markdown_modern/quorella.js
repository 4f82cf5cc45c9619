"use strict";(()=>{
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
