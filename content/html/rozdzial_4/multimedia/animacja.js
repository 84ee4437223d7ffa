// Plays the steps of an animated figure one after another and lets the reader stop them:
// "Pauza" freezes the drawing where it is, the step buttons show whole steps by hand.
(function () {
  'use strict';
  const stepMs = 4000;

  function prepare(figure) {
    const steps = Array.from(figure.querySelectorAll('svg .krok'));
    const captions = Array.from(figure.querySelectorAll('ol.kroki li'));
    const counter = figure.querySelector('.licznik');
    const pause = figure.querySelector('button.pauza');
    let current = 0;
    let timer = null;

    function show(n) {
      current = (n + steps.length) % steps.length;
      steps.forEach(function (s, i) { s.classList.toggle('widoczny', i === current); });
      captions.forEach(function (c, i) { c.classList.toggle('biezacy', i === current); });
      counter.textContent = 'Krok ' + (current + 1) + ' z ' + steps.length;
      figure.dataset.krok = String(current + 1);
    }
    function play() {
      figure.classList.remove('wstrzymana', 'reczny');
      pause.textContent = 'Pauza';
      figure.dataset.stan = 'gra';
      show(current);
      timer = setInterval(function () { show(current + 1); }, stepMs);
    }
    function stop() {
      clearInterval(timer);
      timer = null;
      figure.classList.add('wstrzymana');
      pause.textContent = 'Odtwórz';
      figure.dataset.stan = 'pauza';
    }
    function step(by) {
      stop();
      figure.classList.add('reczny');
      show(current + by);
    }

    pause.addEventListener('click', function () { if (timer) stop(); else play(); });
    figure.querySelector('button.wstecz').addEventListener('click', function () { step(-1); });
    figure.querySelector('button.dalej').addEventListener('click', function () { step(1); });
    play();
  }

  document.querySelectorAll('figure.animacja').forEach(prepare);
})();
